// "Calculate Polymorphisms": shows the length report of the last aligned
// import, calls the polymorphisms of every sequence against the first one
// ("Run") and saves the resulting list ("Save As...").
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "core/workspace.h"
#include "ui/dialogs.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(corvella::Workspace& ws, corvella::Dialogs& dialogs, QWidget* parent = nullptr);

    // Set by the import command: the file's name, the length report, and
    // "Save As..." disabled until the next "Run".
    void show_import(const std::string& file_name, const std::string& report);
    // Set by "Import Unaligned File...": the sequences are aligned and called
    // already; the memo shows their summary and "Run" shows `list_text`.
    void show_unaligned_import(const std::string& file_name, const std::string& summary, std::string list_text);

    QLabel* Label2;
    QPlainTextEdit* Memo1;  // a plain-text memo stays responsive with lists of many megabytes
    QPushButton* Button1;   // "Run"
    QPushButton* Button4;   // "Save As..."
    QPushButton* Button3;   // "Close"

    const std::string& list_text() const { return list_text_; }

public slots:
    void Button1Click();
    void Button4Click();
    void Button3Click();

private:
    corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
    std::string list_text_;  // built by "Run", written by "Save As..."
    std::optional<std::string> unaligned_list_;  // the list "Run" shows after an unaligned import
};
