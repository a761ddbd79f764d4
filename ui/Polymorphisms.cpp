#include "ui/Polymorphisms.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <utility>

#include "input/polymorphism_caller.h"
#include "output/file_names.h"
#include "output/text_writer.h"
#include "ui/memo_window_layout.h"
#include "ui/widget_helpers.h"

TForm2::TForm2(corvella::Workspace& ws, corvella::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs) {
    setWindowTitle("Calculate Polymorphisms");
    Label2 = corvella::bold_label(this, "Label2");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::ClickFocus);  // read-only: no tab stop
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Button1 = new QPushButton("Run", this);
    Button4 = new QPushButton("Save As...", this);
    Button3 = new QPushButton("Close", this);
    Button4->setEnabled(false);

    corvella::lay_out_memo_window(this, Label2, Memo1, Button1, Button4, Button3);
    resize(640, 480);

    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button4, &QPushButton::clicked, this, &TForm2::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
}

void TForm2::show_import(const std::string& file_name, const std::string& report) {
    unaligned_list_.reset();
    Button4->setEnabled(false);
    Label2->setText(QString::fromStdString(file_name));
    Memo1->setPlainText(QString::fromStdString(report));
}

void TForm2::show_unaligned_import(const std::string& file_name, const std::string& summary, std::string list_text) {
    show_import(file_name, summary);
    unaligned_list_ = std::move(list_text);
}

void TForm2::Button1Click() {
    Memo1->clear();
    list_text_ = unaligned_list_ ? *unaligned_list_ : corvella::build_polymorphism_list(ws_);
    Memo1->setPlainText(QString::fromStdString(list_text_));
    Button4->setEnabled(true);
}

void TForm2::Button4Click() {
    const auto choice = dialogs_.save_file(this, "Text file (*.txt)|*.txt", 1, true);
    if (!choice) return;
    const std::string path = corvella::ensure_extension(choice->path, ".txt");
    // The dialog asked about the name as typed; a name completed with ".txt"
    // may be another existing file.
    if (path != choice->path && QFileInfo::exists(QString::fromStdString(path)) &&
        !dialogs_.confirm_replace(this, path))
        return;
    const corvella::WriteResult written = corvella::write_text_file(path, list_text_);
    if (!written.ok) dialogs_.error_message(this, QString::fromStdString(written.error));
}

void TForm2::Button3Click() {
    ws_.aligned_sequences.clear();
    ws_.aligned_names.clear();
    unaligned_list_.reset();
    close();
}
