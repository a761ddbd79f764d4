// The network window: shows the outcome of "Export To Network File...",
// turns the variable-site table into the network data file text and saves it.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

#include "core/workspace.h"
#include "ui/dialogs.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TForm7 : public QDialog {
    Q_OBJECT

public:
    TForm7(corvella::Workspace& ws, corvella::Dialogs& dialogs, QWidget* parent = nullptr);

    // After a successful network reading of n entries from the file named
    // file_name: sets the caption of Label2, disables "Save As..." and puts
    // the outcome (or the limit that was passed) in the memo.
    void show_reading(const std::string& file_name, int32_t n);

    void Button1Click();  // "Transform"
    void Button2Click();  // "Save As..."
    void Button3Click();  // "Close"

    QLabel* Label2;
    QPlainTextEdit* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;

    // The text of the last transform; what "Save As..." writes.
    const std::string& network_text() const { return network_text_; }

private:
    corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
    std::string network_text_;
};
