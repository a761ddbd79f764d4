// The network window: shows the outcome of "Export To Network File...",
// turns the variable-site table into the network data file text and saves it.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <string>

#include "core/workspace.h"
#include "ui/dialogs.h"
#include "ui/text_lines_view.h"

class QLabel;
class TForm6;
class QPushButton;

class TForm7 : public QDialog {
    Q_OBJECT

public:
    // "Transform" builds the text under `progress`, off the event loop.
    TForm7(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent = nullptr);

    // After a successful network reading of n entries from the file named
    // file_name: sets the caption of Label2, disables "Save As..." and puts
    // the outcome (or the limit that was passed) in the memo.
    void show_reading(const std::string& file_name, int32_t n);

    void Button1Click();  // "Transform"
    void Button2Click();  // "Save As..."
    void Button3Click();  // "Close"

    QLabel* Label2;
    corvella::TextLinesView* Memo1;  // shows the text it shares with network_text()
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;

    // The text of the last transform; what "Save As..." writes. Empty once
    // the window is closed: closing lets go of the text.
    const std::string& network_text() const;

protected:
    void done(int result) override;

private:
    corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
    TForm6& progress_;
    std::shared_ptr<const std::string> network_text_;  // held once, by this window and Memo1
};
