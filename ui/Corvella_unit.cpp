#include "ui/Corvella_unit.h"

#include <QAction>
#include <QDialog>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QProxyStyle>
#include <QShortcut>
#include <algorithm>

#include "input/aligned_import.h"
#include "input/genbank_reader.h"
#include "core/human_reference.h"
#include "core/reference_summary.h"
#include "input/polymorphism_list.h"
#include "core/version.h"
#include "export/variable_sites.h"
#include "output/file_names.h"
#include "ui/About.h"
#include "ui/Exporttonetwork.h"
#include "ui/Nonprotein.h"
#include "ui/Polymorphisms.h"
#include "ui/Populationstats.h"
#include "ui/Progressbarform.h"
#include "ui/Rrnastructure.h"
#include "ui/Synonymous.h"
#include "ui/Synonymouscounting.h"
#include "ui/Trnastructure.h"
#include "ui/application.h"
#include "ui/cohort_open.h"
#include "ui/fonts.h"
#include "ui/loaded_data.h"

namespace {

// The menu bar's style, with a press and release of Alt moving into the bar.
class AltKeyMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override {
        if (hint == QStyle::SH_MenuBar_AltKeyNavigation) return 1;
        return QProxyStyle::styleHint(hint, option, widget, answer);
    }
};

}  // namespace

const char* const TForm1::OpenDialog1Filter =
    "Text Files (*.txt)|*.txt|GenBank Files (*.gbk, *.gen, *.gb, *.gnk)|*.gbk; *.gen; *.gb; "
    "*.gnk|All Files (*.*)|*.*";
const char* const TForm1::OpenDialog2Filter =
    "Text Files (*.txt)|*.txt|Fasta Files (*.fas, *.fasta, *.fst)|*.fas; *.fasta; *.fst|All "
    "Files|*.*";
const char* const TForm1::OpenDialog3Filter =
    "Text Files (*.txt)|*.txt|All Files|*.*|VCF files (*.vcf; *.vcf.gz; *.bcf)|*.vcf; *.vcf.gz; *.bcf|"
    "HSD files (*.hsd)|*.hsd|FASTA files, unaligned (*.fasta; *.fas; *.fa; *.fna; *.fst; *.gz)|*.fasta; *.fas; "
    "*.fa; *.fna; *.fst; *.gz";

TForm1::TForm1(corvella::Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
    show_modal = [](QDialog& window) { window.exec(); };
    setWindowTitle("Corvella");
    setFont(corvella::font_or_default("MS Sans Serif", 8));
    build_menu();
    build_pictures();

    // The windows live for the whole run. The progress window comes before
    // the counting windows, which keep a reference to it.
    Form2 = new TForm2(workspace_, dialogs_, this);
    Form3 = new TForm3(workspace_, this);
    Form6 = new TForm6(this);
    Form4 = new TForm4(workspace_, dialogs_, *Form6, this);
    Form5 = new TForm5(workspace_, dialogs_, *Form6, this);
    Form7 = new TForm7(workspace_, dialogs_, *Form6, this);
    Form8 = new TForm8(this);
    Form9 = new TForm9(workspace_, dialogs_, *Form6, this);
    Form10 = new TForm10(workspace_, dialogs_, *Form6, this);
    StatsWindow = new PopulationStatsWindow(workspace_, dialogs_, this);

    VariantTableSave.title = "Save Variant Table";
    GeneTableSave.title = "Save Gene Table";

    // Nothing under "Check Database" can be reached before a reference is loaded.
    set_reference_commands_enabled(false);
}

TForm1::~TForm1() = default;

// Every caption carries a mnemonic: an "&" before the letter that Alt (or
// the letter inside an open menu) reaches; the caption's text is otherwise
// unchanged. The first letter is taken unless a sibling already has it, then
// the first free letter of a later word ("Check &Position", "E&xit"). An
// item added to a menu follows the same rule; shown_caption() gives the text
// without the marker.
void TForm1::build_menu() {
    QMenuBar* bar = menuBar();
    auto name = [](QObject* o, const char* n) { o->setObjectName(n); };

    Polymorphisms2 = bar->addMenu("&Polymorphisms");
    name(Polymorphisms2, "Polymorphisms2");
    ImportAlignedFiles1 = Polymorphisms2->addAction("&Import Aligned File...");
    name(ImportAlignedFiles1, "ImportAlignedFiles1");
    ImportUnalignedFile1 = Polymorphisms2->addAction("Import &Unaligned File...");
    name(ImportUnalignedFile1, "ImportUnalignedFile1");
    ExportToNetworkFile1 = Polymorphisms2->addAction("&Export To Network File...");
    name(ExportToNetworkFile1, "ExportToNetworkFile1");
    OpenSampleGroups1 = Polymorphisms2->addAction("&Open Sample Groups...");
    name(OpenSampleGroups1, "OpenSampleGroups1");

    Classification1 = bar->addMenu("&Classification");
    name(Classification1, "Classification1");
    Reference1 = Classification1->addMenu("&Reference");
    name(Reference1, "Reference1");
    HumanReference1 = Reference1->addAction("&Human Reference");
    name(HumanReference1, "HumanReference1");
    HumanReference1->setCheckable(true);
    OpenOtherReferenceFile1 = Reference1->addAction("&Open Other Reference File...");
    name(OpenOtherReferenceFile1, "OpenOtherReferenceFile1");
    CheckPosition1 = Classification1->addAction("Check &Position");
    name(CheckPosition1, "CheckPosition1");
    CheckDatabase1 = Classification1->addMenu("Check &Database");
    name(CheckDatabase1, "CheckDatabase1");
    OpenPolymorphismsFile1 = CheckDatabase1->addAction("&Open Polymorphism File...");
    name(OpenPolymorphismsFile1, "OpenPolymorphismsFile1");
    Protein1 = CheckDatabase1->addAction("&Protein");
    name(Protein1, "Protein1");
    NonProtein1 = CheckDatabase1->addAction("&Non-Protein");
    name(NonProtein1, "NonProtein1");
    tRNAshumanonly1 = CheckDatabase1->addAction("&tRNA's (human only)");
    name(tRNAshumanonly1, "tRNAshumanonly1");
    rRNAshumanonly1 = CheckDatabase1->addAction("&rRNA's (human only)");
    name(rRNAshumanonly1, "rRNAshumanonly1");
    VariantTable1 = CheckDatabase1->addAction("&Variant Table...");
    name(VariantTable1, "VariantTable1");
    GeneTable1 = CheckDatabase1->addAction("&Gene Table...");
    name(GeneTable1, "GeneTable1");
    PopulationStatistics1 = CheckDatabase1->addAction("Population &Statistics...");
    name(PopulationStatistics1, "PopulationStatistics1");

    GenomeMap1 = Classification1->addAction("Genome &Map...");
    name(GenomeMap1, "GenomeMap1");
    GenomeMap1->setEnabled(false);

    About1 = bar->addAction("&About");
    name(About1, "About1");
    Exit1 = bar->addAction("E&xit");
    name(Exit1, "Exit1");

    // Alt alone and F10 enter the menu bar, as on the desktops the program
    // came from; Alt+letter opens a menu through its mnemonic.
    auto* alt_keys = new AltKeyMenuStyle();
    alt_keys->setParent(bar);
    bar->setStyle(alt_keys);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [bar] {
        if (!bar->actions().isEmpty()) bar->setActiveAction(bar->actions().first());
    });

    // The everyday commands also have keys of their own.
    OpenPolymorphismsFile1->setShortcut(QKeySequence::Open);
    OpenOtherReferenceFile1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    CheckPosition1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    connect_command(ImportAlignedFiles1, &TForm1::ImportAlignedFiles1Click);
    connect_command(ImportUnalignedFile1, &TForm1::ImportUnalignedFile1Click);
    connect_command(ExportToNetworkFile1, &TForm1::ExportToNetworkFile1Click);
    connect_command(HumanReference1, &TForm1::HumanReference1Click);
    connect_command(OpenOtherReferenceFile1, &TForm1::OpenOtherReferenceFile1Click);
    connect_command(CheckPosition1, &TForm1::CheckPosition1Click);
    connect_command(OpenPolymorphismsFile1, &TForm1::OpenPolymorphismsFile1Click);
    connect_command(Protein1, &TForm1::Protein1Click);
    connect_command(NonProtein1, &TForm1::NonProtein1Click);
    connect_command(tRNAshumanonly1, &TForm1::tRNAshumanonly1Click);
    connect_command(rRNAshumanonly1, &TForm1::rRNAshumanonly1Click);
    connect_command(VariantTable1, &TForm1::VariantTable1Click);
    connect_command(GeneTable1, &TForm1::GeneTable1Click);
    connect_command(OpenSampleGroups1, &TForm1::OpenSampleGroups1Click);
    connect_command(PopulationStatistics1, &TForm1::PopulationStatistics1Click);
    connect_command(GenomeMap1, &TForm1::GenomeMap1Click);
    connect_command(About1, &TForm1::About1Click);
    connect_command(Exit1, &TForm1::Exit2Click);
}

void TForm1::connect_command(QAction* action, void (TForm1::*handler)()) {
    connect(action, &QAction::triggered, this,
            [this, handler] { corvella::run_command(dialogs_, this, [this, handler] { (this->*handler)(); }); });
}

void TForm1::build_pictures() {
    auto* client = new QWidget(this);
    setCentralWidget(client);
    client->installEventFilter(this);

    Image1 = new QLabel(client);
    Image1->setObjectName("Image1");
    Image1->setPixmap(QPixmap(":/pictures/helix.jpg"));
    Image1->resize(88, 609);
    Image2 = new QLabel(client);
    Image2->setObjectName("Image2");
    Image2->setPixmap(QPixmap(":/pictures/banner.jpg"));
    Image2->resize(283, 53);
    Label2 = new QLabel("Corvella ver" CORVELLA_VERSION, client);
    Label2->setObjectName("Label2");
    QFont big = corvella::font_or_default("MS Sans Serif", 0);
    big.setPixelSize(24);
    Label2->setFont(big);
    Label2->setStyleSheet("color: navy;");
    Label2->adjustSize();
    LoadedLabel = new QLabel(client);
    LoadedLabel->setObjectName("LoadedLabel");
    LoadedLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LoadedLabel->move(16, 16);
    reference_line_ = corvella::reference_line(corvella::LoadedReference::None, "");
    list_line_ = corvella::list_line("", 0, 0, "");
    show_loaded();
    relocateImage();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) relocateImage();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::relocateImage() {
    const int outer_width = frameGeometry().width();
    const int client_height = centralWidget()->height();
    const int top = std::max((client_height - Image1->height()) / 2, 16);
    const int left = outer_width - Image1->width() - 32;
    Image1->move(left, top);
    Image2->move(left - Image2->width() - 32, top + 512);
    Label2->move(left - Label2->width() - 32, top + 440);
}

void TForm1::show_loaded() {
    LoadedLabel->setText(QString::fromStdString(reference_line_ + "\n" + list_line_));
    LoadedLabel->adjustSize();
}

void TForm1::forget_list() {
    // The counting commands wait for a list read against this reference: the
    // line no longer names the one read before.
    list_line_ = corvella::list_line("", 0, 0, "");
    show_loaded();
}

void TForm1::show_list_read(const std::string& path, int32_t entries, const char* variants_word) {
    const QString summary = QString::fromStdString(corvella::list_summary(path, entries));
    for (QLabel* label : {Form4->Label1, Form5->Label1, Form9->Label1, Form10->Label1}) label->setText(summary);
    list_line_ = corvella::list_line(corvella::file_name_of(path), entries, workspace_.variant_tally.size(),
                                     variants_word);
    show_loaded();
}

// ---- enabling -------------------------------------------------------------

void TForm1::set_reference_commands_enabled(bool enabled) {
    CheckPosition1->setEnabled(enabled);
    CheckDatabase1->menuAction()->setEnabled(enabled);
    ImportUnalignedFile1->setEnabled(enabled);
}

void TForm1::enable_reference_commands() {
    set_reference_commands_enabled(true);
    forget_list();
    Protein1->setEnabled(false);
    NonProtein1->setEnabled(false);
    VariantTable1->setEnabled(false);
    GeneTable1->setEnabled(false);
    PopulationStatistics1->setEnabled(false);
    GenomeMap1->setEnabled(false);
}

void TForm1::on_other_reference_loaded() {
    enable_reference_commands();
    workspace_.human_reference = false;
    HumanReference1->setChecked(false);
    tRNAshumanonly1->setEnabled(false);
    rRNAshumanonly1->setEnabled(false);
}

void TForm1::on_polymorphism_list_read() {
    Protein1->setEnabled(true);
    NonProtein1->setEnabled(true);
    VariantTable1->setEnabled(true);
    GeneTable1->setEnabled(true);
    PopulationStatistics1->setEnabled(true);
    GenomeMap1->setEnabled(true);
    tRNAshumanonly1->setEnabled(workspace_.human_reference);
    rRNAshumanonly1->setEnabled(workspace_.human_reference);
}

// ---- the open dialogs ------------------------------------------------------

std::optional<std::string> TForm1::OpenDialog1() { return dialogs_.open_file(this, OpenDialog1Filter); }
std::optional<std::string> TForm1::OpenDialog2() { return dialogs_.open_file(this, OpenDialog2Filter); }
std::optional<std::string> TForm1::OpenDialog3() { return dialogs_.open_file(this, OpenDialog3Filter); }
std::vector<std::string> TForm1::OpenDialog3Files() { return dialogs_.open_files(this, OpenDialog3Filter); }

// ---- commands ----------------------------------------------------------------

void TForm1::HumanReference1Click() {
    // The check mark is the workspace flag; a click has already flipped the
    // action's own state, so it is set from the flag here.
    if (workspace_.human_reference) {
        setWindowTitle("Corvella");
        workspace_.human_reference = false;
        HumanReference1->setChecked(false);
        set_reference_commands_enabled(false);
        forget_list();
        reference_line_ = corvella::reference_line(corvella::LoadedReference::None, "");
        show_loaded();
        return;
    }
    setWindowTitle("Corvella - AC_000021");
    workspace_.human_reference = true;
    HumanReference1->setChecked(true);
    enable_reference_commands();
    tRNAshumanonly1->setEnabled(false);
    rRNAshumanonly1->setEnabled(false);
    corvella::use_human_ref_data(workspace_);
    reference_line_ = corvella::reference_line(corvella::LoadedReference::BuiltIn, "AC_000021") + "; " +
                      corvella::genetic_code_summary(workspace_);
    show_loaded();
}

void TForm1::CheckPosition1Click() {
    Form3->reset_for_opening();
    show_modal(*Form3);
}

void TForm1::About1Click() { show_modal(*Form8); }

void TForm1::Exit2Click() { close(); }

// ---- commands whose windows are still shells ----------------------------------
// Each of these is filled in together with its window.

void TForm1::ImportAlignedFiles1Click() {
    const std::optional<std::string> path = OpenDialog2();
    if (!path) return;
    const int32_t read = corvella::read_polymorphisms_file(workspace_, *path);
    if (read == -1) {
        corvella::show_read_failure(this, dialogs_, "File cannot be openned.", *path, corvella::OpenedAs::Aligned);
        return;
    }
    if (read == -2) {
        corvella::show_read_failure(this, dialogs_, "Bad input format.", *path, corvella::OpenedAs::Aligned);
        return;
    }
    Form2->show_import(corvella::file_name_of(*path), corvella::perform_lenght_status(workspace_));
    show_modal(*Form2);
}

// -----------------------------------------------------------------------------

void TForm1::ExportToNetworkFile1Click() {
    std::vector<std::string> paths = OpenDialog3Files();
    if (paths.empty()) return;
    // The reading replaces the sample lists and the tally only on success.
    const std::optional<corvella::CohortRead> read = corvella::open_cohort_files(
        this, dialogs_, *Form6, workspace_, paths, corvella::CohortUse::Network, vcf_choice_);
    if (!read || !read->ok()) return;
    // The counting windows now count this reading: their label names it.
    const std::string name = corvella::cohort_name(paths);
    show_list_read(name, read->code, "distinct variants");
    Form7->show_reading(name, read->code);
    show_modal(*Form7);
}

// -----------------------------------------------------------------------------

void TForm1::OpenOtherReferenceFile1Click() {
    const std::optional<std::string> path = OpenDialog1();
    if (!path) return;
    // The file is read whole before anything changes: a failed read leaves
    // the reference, the title and the menus as they were.
    const corvella::ReferenceReadResult read = corvella::extract_info_from_reference(*path);
    if (!read.ok) {
        corvella::show_read_failure(this, dialogs_, read.message, *path, corvella::OpenedAs::Reference);
        return;
    }
    corvella::use_reference(workspace_, read);
    setWindowTitle(QString::fromStdString(corvella::reference_title(read)));
    on_other_reference_loaded();
    reference_line_ = corvella::reference_line(corvella::LoadedReference::GenBank, read.accession,
                                               corvella::file_name_of(*path)) +
                      "; " + corvella::genetic_code_summary(workspace_);
    show_loaded();
}

// -----------------------------------------------------------------------------

void TForm1::OpenPolymorphismsFile1Click() {
    std::vector<std::string> paths = OpenDialog3Files();
    open_polymorphism_files(paths);
}

void TForm1::open_polymorphism_files(std::vector<std::string> paths) {
    if (paths.empty()) return;
    // Sample lists and tally are replaced together, and only by a good read.
    const std::optional<corvella::CohortRead> read = corvella::open_cohort_files(
        this, dialogs_, *Form6, workspace_, paths, corvella::CohortUse::Counting, vcf_choice_);
    if (!read || !read->ok()) return;
    const int32_t entries = read->code;
    on_polymorphism_list_read();
    const std::string name = corvella::cohort_name(paths);
    show_list_read(name, entries, "distinct variants");
    if (read->format == corvella::InputFormat::Fasta) {
        // Unaligned mitogenomes: how each aligned, as "Import Unaligned File..." shows it.
        Form2->show_unaligned_import(name, read->alignment_summary, read->converted_text);
        show_modal(*Form2);
    }
}

// -----------------------------------------------------------------------------

void TForm1::Protein1Click() {
    // Every command recounts the tally as it stands now (a network export
    // may have rebuilt it since the last one).
    Form4->show_counts(corvella::count_protein_variants(workspace_, workspace_.variant_tally));
    show_modal(*Form4);
}

// -----------------------------------------------------------------------------

void TForm1::NonProtein1Click() {
    Form5->fill_counts();
    show_modal(*Form5);
}

// -----------------------------------------------------------------------------

void TForm1::tRNAshumanonly1Click() {
    Form9->show_counts(corvella::count_trna_groups(workspace_));
    show_modal(*Form9);
}

// -----------------------------------------------------------------------------

void TForm1::rRNAshumanonly1Click() {
    Form10->show_counts(corvella::count_rrna_regions(workspace_));
    show_modal(*Form10);
}
