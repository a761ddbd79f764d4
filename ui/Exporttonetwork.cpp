#include "ui/Exporttonetwork.h"

#include <QLabel>
#include <QPushButton>
#include <filesystem>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "export/network_file.h"
#include "export/variable_sites.h"
#include "output/file_names.h"
#include "output/text_writer.h"
#include "ui/Progressbarform.h"
#include "ui/fonts.h"
#include "ui/memo_window_layout.h"
#include "ui/widget_helpers.h"

namespace {

const char* const NETWORK_FILTER = "Network Binary File (*.rdf)|*.rdf";

}  // namespace

TForm7::TForm7(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs), progress_(progress) {
    setWindowTitle("Export to Network Binary File");
    setModal(true);

    Label2 = corvella::bold_label(this, "Label2");
    // A view that lays out only the visible lines: the transformed text can
    // reach 150 MB, which a text document would hold several times over.
    Memo1 = new corvella::TextLinesView(this);
    Memo1->setObjectName("Memo1");
    // Columns of the header must stand above the 0/1 columns, and a line of
    // 5,000 variants is read by scrolling sideways, not wrapped.
    Memo1->setFont(corvella::fixed_font_or_default("Courier New"));

    Button1 = new QPushButton("Transform", this);
    Button2 = new QPushButton("Save As...", this);
    Button3 = new QPushButton("Close", this);
    Button2->setEnabled(false);
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    Button3->setAutoDefault(false);

    corvella::lay_out_memo_window(this, Label2, Memo1, Button1, Button2, Button3);
    resize(760, 520);

    connect(Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm7::Button3Click);
}

void TForm7::show_reading(const std::string& file_name, int32_t n) {
    Label2->setText(QString::fromStdString(corvella::network_label_text(file_name, n)));
    Button2->setEnabled(false);
    Memo1->setPlainText(QString::fromStdString(
        corvella::network_memo_message(n, ws_.variant_tally.size())));
}

void TForm7::Button1Click() {
    Memo1->clear();
    network_text_.reset();
    Button2->setEnabled(false);
    // Built on a worker thread under the progress window: a text of 100,000
    // samples takes seconds, in which the window keeps painting. Cancelled,
    // the memo stays empty.
    std::string text;
    const bool built = progress_.run(
        this, [&](corvella::ProgressSink& steps) { text = corvella::build_network_text(ws_, &steps); });
    if (!built) return;
    network_text_ = std::make_shared<const std::string>(std::move(text));
    Memo1->show_text(network_text_);  // the same bytes "Save As..." writes, not a copy
    Button2->setEnabled(true);
}

const std::string& TForm7::network_text() const {
    static const std::string none;
    return network_text_ ? *network_text_ : none;
}

void TForm7::done(int result) {
    // Nothing of the text is shown once the window is closed: give it back,
    // and its pages to the system, so the program holds what it held before.
    Memo1->clear();
    network_text_.reset();
    Button2->setEnabled(false);
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    QDialog::done(result);
}

void TForm7::Button2Click() {
    const auto choice = dialogs_.save_file(this, NETWORK_FILTER, 1, true);
    if (!choice) return;
    const std::string path = corvella::ensure_extension(choice->path, ".rdf");
    // The dialog asked about the name as typed; a completed name that already
    // exists is a different file, so ask again before replacing it.
    std::error_code ec;
    if (path != choice->path && std::filesystem::exists(path, ec) &&
        !dialogs_.confirm_replace(this, path))
        return;
    const corvella::WriteResult result = corvella::write_text_file(path, network_text());
    if (!result.ok) dialogs_.error_message(this, QString::fromStdString(result.error));
}

void TForm7::Button3Click() { close(); }
