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
#include "pictures/chart_view.h"
#include "ui/counting_window_layout.h"
#include "ui/structure_window.h"
#include "ui/widget_helpers.h"

using namespace corvella;

const char* const TForm4::SaveDialog1Filter =
    "Text File (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx";
const char* const TForm4::SaveDialog2Filter = "Bitmap (*.bmp)|*.bmp|PNG (*.png)|*.png|SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf";

namespace {

constexpr int GRID_ROWS = 15;
constexpr int GRID_COLUMNS = 3;

}  // namespace

TForm4::TForm4(Workspace& ws, Dialogs& dialogs, TForm6& progress, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs), progress_(progress) {
    setWindowTitle("Protein Synonymous Counting");
    Label1 = bold_label(this, "Label1");

    StringGrid1 = make_string_grid(this, "StringGrid1", GRID_COLUMNS, GRID_ROWS);

    const SaveOptions options = make_save_options(this);
    GroupBox1 = options.box;
    Label2 = options.labels[0];
    Label3 = options.labels[1];
    Label4 = options.labels[2];
    Label5 = options.labels[3];
    Button2 = options.buttons[0];
    Button3 = options.buttons[1];
    Button4 = options.buttons[2];
    Button1 = options.buttons[3];

    Button5 = new QPushButton("Close", this);
    Chart1 = make_chart_view(protein_chart_spec(ProteinCounts{}), this);

    auto* data = new QVBoxLayout;
    data->addWidget(StringGrid1);
    FormCreate();
    lay_out_counting_window(this, Label1, data, Chart1, GroupBox1, Button5);

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm4::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm4::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm4::Button5Click);
}

void TForm4::FormCreate() {
    set_cell(*StringGrid1, 1, 0, "Synonymous");
    set_cell(*StringGrid1, 2, 0, "Non-Synonymous");
    StringGrid1->setColumnWidth(2, 90);
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g)
        set_cell(*StringGrid1, 0, g + 1, QString::fromStdString(PROTEIN_GENE_NAMES[static_cast<size_t>(g)]));
    set_cell(*StringGrid1, 0, GRID_ROWS - 1, "TOTAL");
    fit_grid_to_contents(StringGrid1);
    // Count cells stay empty until the first "Protein" command.
}

void TForm4::show_counts(const ProteinCounts& counts) {
    counts_ = counts;
    const auto rows = protein_grid_rows(counts);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        set_cell(*StringGrid1, 1, r + 1, QString::fromStdString(rows[static_cast<size_t>(r)][1]));
        set_cell(*StringGrid1, 2, r + 1, QString::fromStdString(rows[static_cast<size_t>(r)][2]));
    }
    show_chart(*Chart1, protein_chart_spec(counts));
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
                            [this](RowSink& rows, ProgressSink*) { protein_summary_rows(ws_, counts_, rows); },
                            0, Button2},
                nullptr);
}

void TForm4::Button3Click() {
    save_report(this, dialogs_, SaveDialog1, SaveDialog1Filter,
                ReportForms{[this] { return protein_per_position_report(ws_, ReportFormat::Text, nullptr).text; },
                            [this](RowSink& rows, ProgressSink* p) { protein_per_position_rows(ws_, rows, p); },
                            ws_.sample_positions.size(), Button3},
                &progress_);
}

void TForm4::Button4Click() {
    save_report(this, dialogs_, SaveDialog1, SaveDialog1Filter,
                ReportForms{[this] { return protein_per_sample_report(ws_, ReportFormat::Text, nullptr).text; },
                            [this](RowSink& rows, ProgressSink* p) { protein_per_sample_rows(ws_, rows, p); },
                            ws_.sample_positions.size(), Button4},
                &progress_);
}

void TForm4::Button1Click() { save_chart_image(this, dialogs_, Chart1); }

void TForm4::Button5Click() { close(); }
