#include "ui/Nonprotein.h"

#include <QAbstractAxis>
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
#include "ui/charts/chart_view.h"
#include "ui/widget_helpers.h"

using namespace corvella;

const char* const TForm5::SaveDialog1Filter =
    "Text Files (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx";

namespace {

QTableWidget* count_grid(QWidget* parent, const char* name) {
    auto* grid = new QTableWidget(NON_PROTEIN_GRID_ROWS + 1, 2, parent);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setColumnWidth(0, 90);
    grid->setColumnWidth(1, 69);
    for (int r = 0; r <= NON_PROTEIN_GRID_ROWS; ++r)
        for (int c = 0; c < 2; ++c) grid->setItem(r, c, new QTableWidgetItem());
    grid->item(0, 1)->setText("No. Positions");
    // The header row and the label column are fixed, as in a string grid.
    for (int r = 0; r <= NON_PROTEIN_GRID_ROWS; ++r) grid->item(r, 0)->setBackground(grid->palette().button());
    grid->item(0, 1)->setBackground(grid->palette().button());
    fit_grid_to_contents(grid);
    return grid;
}

// Rows 1..13 of the first grid, then of the second.
QTableWidgetItem* grid_cell(const TForm5& w, size_t i, int column) {
    QTableWidget* grid = i < NON_PROTEIN_GRID_ROWS ? w.StringGrid1 : w.StringGrid2;
    return grid->item(static_cast<int>(i % NON_PROTEIN_GRID_ROWS) + 1, column);
}

QPushButton* save_button(QWidget* parent, const char* name) {
    auto* button = new QPushButton("Save As...", parent);
    button->setObjectName(name);
    return button;
}

// Bottom labels in Arial with 9-pixel characters.
void set_bottom_label_font(QChartView& view) {
    QFont font("Arial");
    font.setPixelSize(9);
    for (QAbstractAxis* axis : view.chart()->axes(Qt::Horizontal)) axis->setLabelsFont(font);
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

    GroupBox1 = new QGroupBox("Options", this);
    Label2 = new QLabel("1. Save summary results", GroupBox1);
    Label3 = new QLabel("2. Save data per position", GroupBox1);
    Label4 = new QLabel("3. Save data per sample", GroupBox1);
    Label5 = new QLabel("4. Save graph as image ", GroupBox1);
    Button1 = save_button(GroupBox1, "Button1");
    Button2 = save_button(GroupBox1, "Button2");
    Button3 = save_button(GroupBox1, "Button3");
    Button5 = save_button(GroupBox1, "Button5");
    auto* options = new QGridLayout(GroupBox1);
    int row = 0;
    for (auto [label, button] : {std::pair{Label2, Button1}, {Label3, Button2}, {Label4, Button3}, {Label5, Button5}}) {
        options->addWidget(label, row, 0);
        options->addWidget(button, row++, 1);
    }

    Button4 = new QPushButton("Close", this);
    Button4->setObjectName("Button4");

    // Empty until the first count; titles and colours are there from the start.
    ChartSpec empty = non_protein_chart(NonProteinCounts{});
    empty.series.front().points.clear();
    Chart1 = make_chart_view(empty, this);
    Chart1->setObjectName("Chart1");

    auto* grids = new QHBoxLayout();
    grids->addWidget(StringGrid1);
    grids->addWidget(StringGrid2);
    auto* left = new QVBoxLayout();
    left->addWidget(Label1);
    left->addLayout(grids);
    left->addWidget(GroupBox1);
    left->addWidget(Button4, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(Chart1, 1);

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
    set_bottom_label_font(*Chart1);
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
                            [this](RowSink& rows, ProgressSink*) { non_protein_summary_rows(ws_, grid_texts(), rows); }},
                nullptr);
}

void TForm5::Button2Click() {
    save_report(this, dialogs_, SaveDialog1, SaveDialog1Filter,
                ReportForms{[this] { return non_protein_per_position_report(ws_, ReportFormat::Text, nullptr).text; },
                            [this](RowSink& rows, ProgressSink* p) { non_protein_per_position_rows(ws_, rows, p); }},
                &progress_);
}

void TForm5::Button3Click() {
    save_report(this, dialogs_, SaveDialog1, SaveDialog1Filter,
                ReportForms{[this] { return non_protein_per_sample_report(ws_, ReportFormat::Text, nullptr).text; },
                            [this](RowSink& rows, ProgressSink* p) { non_protein_per_sample_rows(ws_, rows, p); }},
                &progress_);
}

void TForm5::Button5Click() { save_chart_image(this, dialogs_, Chart1); }

void TForm5::Button4Click() { close(); }
