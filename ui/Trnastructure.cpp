#include "ui/Trnastructure.h"

#include <QChartView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "classify/trna_reports.h"
#include "pictures/chart_view.h"
#include "ui/counting_window_layout.h"
#include "ui/widget_helpers.h"

using namespace corvella;

TForm9::TForm9(Workspace& ws, Dialogs& dialogs, TForm6& progress, QWidget* parent)
    : StructureWindow(ws, dialogs, progress, parent, "Human tRNA's structure", trna_chart(TrnaGroupCounts{})) {
    StringGrid1 = make_string_grid(this, "StringGrid1", 2, 5);
    StringGrid1->setColumnWidth(1, 90);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(QPixmap(":/pictures/cloverleaf.jpg"));
    Image1->setFixedSize(211, 224);

    FormCreate();
    fit_grid_to_contents(StringGrid1);
    auto* data = new QVBoxLayout();
    data->addWidget(StringGrid1);
    data->addWidget(Image1);
    lay_out_counting_window(this, Label1, data, Chart1, options_box(), Button5);

    connect(Button2, &QPushButton::clicked, this, &TForm9::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm9::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm9::Button4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
    connect(Button5, &QPushButton::clicked, this, &TForm9::Button5Click);
}

void TForm9::FormCreate() {
    // The save helper always asks before replacing a chosen file, which is
    // this window's text-or-workbook dialog option.
    set_cell(*StringGrid1, 1, 0, "No. of positions");
    for (int g = 0; g < TRNA_GROUP_COUNT; ++g)
        set_cell(*StringGrid1, 0, g + 1, TRNA_GROUP_LABELS[static_cast<size_t>(g)]);
}

void TForm9::show_counts(const TrnaGroupCounts& counts) {
    const TrnaSummaryGrid grid = trna_summary_grid(counts);
    for (int g = 0; g < TRNA_GROUP_COUNT; ++g)
        set_cell(*StringGrid1, 1, g + 1, QString::fromStdString(grid.rows[static_cast<size_t>(g)][1]));
    show_chart(*Chart1, trna_chart(counts));
}

void TForm9::Button2Click() {
    // The summary saves the grid as it is shown.
    TrnaSummaryGrid grid;
    for (int g = 0; g < TRNA_GROUP_COUNT; ++g)
        grid.rows[static_cast<size_t>(g)] = {cell_text(*StringGrid1, 0, g + 1), cell_text(*StringGrid1, 1, g + 1)};
    save_summary([&grid](ReportFormat format) { return trna_summary_report(grid, format); },
                 [&grid](RowSink& rows) { trna_summary_rows(grid, rows); });
}

void TForm9::Button3Click() { save_workspace_report(trna_per_position_report, trna_per_position_rows, Button3); }

void TForm9::Button4Click() { save_workspace_report(trna_per_sample_report, trna_per_sample_rows, Button4); }

void TForm9::Button1Click() { save_chart(); }

void TForm9::Button5Click() { close(); }
