#include "ui/Synonymouscounting.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "classify/protein_reports.h"
#include "ui/charts/chart_view.h"
#include "ui/widget_helpers.h"

using namespace corvella;

const char* const TForm4::SaveDialog1Filter =
    "Text File (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx";
const char* const TForm4::SaveDialog2Filter = "Bitmap (*.bmp)|*.bmp";

namespace {

constexpr int GRID_ROWS = 15;
constexpr int GRID_COLUMNS = 3;

// A row of the "Options" box: the label and its "Save As..." button.
QPushButton* add_save_row(QGridLayout* layout, int row, QLabel*& label, const char* caption) {
    label = new QLabel(caption);
    auto* button = new QPushButton("Save As...");
    layout->addWidget(label, row, 0);
    layout->addWidget(button, row, 1);
    return button;
}

void set_cell(QTableWidget* grid, int column, int row, const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled);
    if (row == 0 || column == 0) item->setBackground(grid->palette().window());
    grid->setItem(row, column, item);
}

}  // namespace

TForm4::TForm4(Workspace& ws, Dialogs& dialogs, TForm6& progress, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs), progress_(progress) {
    setWindowTitle("Protein Synonymous Counting");
    Label1 = bold_label(this, "Label1");

    StringGrid1 = new QTableWidget(GRID_ROWS, GRID_COLUMNS, this);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    GroupBox1 = new QGroupBox("Options", this);
    auto* options = new QGridLayout(GroupBox1);
    Button2 = add_save_row(options, 0, Label2, "1. Save summary results");
    Button3 = add_save_row(options, 1, Label3, "2. Save data per position");
    Button4 = add_save_row(options, 2, Label4, "3. Save data per sample");
    Button1 = add_save_row(options, 3, Label5, "4. Save graph as image");

    Button5 = new QPushButton("Close", this);
    Chart1 = make_chart_view(protein_chart_spec(ProteinCounts{}), this);

    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(StringGrid1, 1);
    left->addWidget(GroupBox1);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(Button5);
    left->addLayout(closing);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(Chart1, 1);

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm4::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm4::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm4::Button5Click);
    FormCreate();
}

void TForm4::FormCreate() {
    set_cell(StringGrid1, 0, 0, "");
    set_cell(StringGrid1, 1, 0, "Synonymous");
    set_cell(StringGrid1, 2, 0, "Non-Synonymous");
    StringGrid1->setColumnWidth(2, 90);
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g)
        set_cell(StringGrid1, 0, g + 1, PROTEIN_GENE_NAMES[static_cast<size_t>(g)]);
    set_cell(StringGrid1, 0, GRID_ROWS - 1, "TOTAL");
    fit_grid_to_contents(StringGrid1);
    // Count cells stay empty until the first "Protein" command.
}

void TForm4::show_counts(const ProteinCounts& counts) {
    counts_ = counts;
    const auto rows = protein_grid_rows(counts);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        set_cell(StringGrid1, 1, r + 1, rows[static_cast<size_t>(r)][1]);
        set_cell(StringGrid1, 2, r + 1, rows[static_cast<size_t>(r)][2]);
    }
    show_chart(*Chart1, protein_chart_spec(counts));
    QFont title("Arial");
    title.setPointSize(Chart1->chart()->titleFont().pointSize());
    Chart1->chart()->setTitleFont(title);
}

QBarSet* TForm4::series(int index) const {
    const auto all = Chart1->chart()->series();
    if (all.isEmpty()) return nullptr;
    auto* bars = qobject_cast<QBarSeries*>(all.first());
    if (bars == nullptr || bars->count() <= index) return nullptr;
    return bars->barSets().at(index);
}

QBarSet* TForm4::Series1() const { return series(0); }
QBarSet* TForm4::Series2() const { return series(1); }

void TForm4::Button2Click() {
    save_report(this, dialogs_, SaveDialog1, SaveDialog1Filter,
                ReportForms{[this] { return protein_summary_report(ws_, counts_, ReportFormat::Text).text; },
                            [this](RowSink& rows, ProgressSink*) { protein_summary_rows(ws_, counts_, rows); }},
                nullptr);
}

void TForm4::Button3Click() {
    save_report(this, dialogs_, SaveDialog1, SaveDialog1Filter,
                ReportForms{[this] { return protein_per_position_report(ws_, ReportFormat::Text, nullptr).text; },
                            [this](RowSink& rows, ProgressSink* p) { protein_per_position_rows(ws_, rows, p); }},
                &progress_);
}

void TForm4::Button4Click() {
    save_report(this, dialogs_, SaveDialog1, SaveDialog1Filter,
                ReportForms{[this] { return protein_per_sample_report(ws_, ReportFormat::Text, nullptr).text; },
                            [this](RowSink& rows, ProgressSink* p) { protein_per_sample_rows(ws_, rows, p); }},
                &progress_);
}

void TForm4::Button1Click() { save_chart_image(this, dialogs_, Chart1); }

void TForm4::Button5Click() { close(); }
