#include "ui/Nonprotein.h"

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

#include "classify/non_protein_reports.h"
#include "pictures/chart_view.h"
#include "ui/counting_window_layout.h"
#include "ui/structure_window.h"
#include "ui/widget_helpers.h"

using namespace corvella;

const char* const TForm5::SaveDialog1Filter =
    "Text Files (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx";

namespace {

QTableWidget* count_grid(QWidget* parent, const char* name) {
    QTableWidget* grid = make_string_grid(parent, name, 2, NON_PROTEIN_GRID_ROWS + 1);
    grid->setColumnWidth(0, 90);
    grid->setColumnWidth(1, 69);
    grid->item(0, 1)->setText("No. Positions");
    return grid;
}

// Rows 1..13 of the first grid, then of the second.
QTableWidgetItem* grid_cell(const TForm5& w, size_t i, int column) {
    QTableWidget* grid = i < NON_PROTEIN_GRID_ROWS ? w.StringGrid1 : w.StringGrid2;
    return grid->item(static_cast<int>(i % NON_PROTEIN_GRID_ROWS) + 1, column);
}

}  // namespace

TForm5::TForm5(Workspace& ws, Dialogs& dialogs, TForm6& progress, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs), progress_(progress) {
    setWindowTitle("Non Protein Position Counting");
    Label1 = bold_label(this, "Label1");
    StringGrid1 = count_grid(this, "StringGrid1");
    StringGrid2 = count_grid(this, "StringGrid2");
    const NonProteinGridTexts labels = non_protein_grid_texts(NonProteinCounts{});
    for (size_t i = 0; i < labels.size(); ++i) grid_cell(*this, i, 0)->setText(QString::fromStdString(labels[i].label));

    // The chart row's label ends in a blank in this window.
    const SaveOptions options = make_save_options(this, "4. Save graph as image ");
    GroupBox1 = options.box;
    Label2 = options.labels[0];
    Label3 = options.labels[1];
    Label4 = options.labels[2];
    Label5 = options.labels[3];
    Button1 = named_button(options.buttons[0], "Button1");
    Button2 = named_button(options.buttons[1], "Button2");
    Button3 = named_button(options.buttons[2], "Button3");
    Button5 = named_button(options.buttons[3], "Button5");

    Button4 = new QPushButton("Close", this);
    Button4->setObjectName("Button4");

    // Empty until the first count; titles and colours are there from the start.
    ChartSpec empty = non_protein_chart(NonProteinCounts{});
    empty.series.front().points.clear();
    Chart1 = make_chart_view(empty, this);
    Chart1->setObjectName("Chart1");

    for (QTableWidget* grid : {StringGrid1, StringGrid2}) fit_grid_to_contents(grid);
    auto* grids = new QHBoxLayout();
    grids->addWidget(StringGrid1, 0, Qt::AlignTop);
    grids->addWidget(StringGrid2, 0, Qt::AlignTop);
    lay_out_counting_window(this, Label1, grids, Chart1, GroupBox1, Button4);

    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
    connect(Button5, &QPushButton::clicked, this, &TForm5::Button5Click);
    connect(Button4, &QPushButton::clicked, this, &TForm5::Button4Click);
}

void TForm5::fill_counts() {
    const NonProteinCounts counts = count_non_protein(ws_, ws_.variant_tally);
    const NonProteinGridTexts texts = non_protein_grid_texts(counts);
    for (size_t i = 0; i < texts.size(); ++i) grid_cell(*this, i, 1)->setText(QString::fromStdString(texts[i].count));
    show_chart(*Chart1, non_protein_chart(counts));
}

NonProteinGridTexts TForm5::grid_texts() const {
    NonProteinGridTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = {grid_cell(*this, i, 0)->text().toStdString(), grid_cell(*this, i, 1)->text().toStdString()};
    return texts;
}

void TForm5::Button1Click() {
    save_report(this, dialogs_, SaveDialog1, SaveDialog1Filter,
                ReportForms{[this] { return non_protein_summary_report(ws_, grid_texts(), ReportFormat::Text).text; },
                            [this](RowSink& rows, ProgressSink*) { non_protein_summary_rows(ws_, grid_texts(), rows); },
                            0, Button1},
                nullptr);
}

void TForm5::Button2Click() {
    save_report(this, dialogs_, SaveDialog1, SaveDialog1Filter,
                ReportForms{[this] { return non_protein_per_position_report(ws_, ReportFormat::Text, nullptr).text; },
                            [this](RowSink& rows, ProgressSink* p) { non_protein_per_position_rows(ws_, rows, p); },
                            ws_.sample_positions.size(), Button2},
                &progress_);
}

void TForm5::Button3Click() {
    save_report(this, dialogs_, SaveDialog1, SaveDialog1Filter,
                ReportForms{[this] { return non_protein_per_sample_report(ws_, ReportFormat::Text, nullptr).text; },
                            [this](RowSink& rows, ProgressSink* p) { non_protein_per_sample_rows(ws_, rows, p); },
                            ws_.sample_positions.size(), Button3},
                &progress_);
}

void TForm5::Button5Click() { save_chart_image(this, dialogs_, Chart1); }

void TForm5::Button4Click() { close(); }
