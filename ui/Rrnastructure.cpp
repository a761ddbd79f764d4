#include "ui/Rrnastructure.h"

#include <QChartView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "classify/rrna_reports.h"
#include "pictures/chart_view.h"
#include "ui/counting_window_layout.h"
#include "ui/widget_helpers.h"

using namespace corvella;

TForm10::TForm10(Workspace& ws, Dialogs& dialogs, TForm6& progress, QWidget* parent)
    : StructureWindow(ws, dialogs, progress, parent, "Human rRNA's structure", rrna_chart(RrnaCounts{})) {
    StringGrid1 = make_string_grid(this, "StringGrid1", 3, 3);
    for (int r = 0; r < 3; ++r) StringGrid1->setRowHeight(r, 24);

    FormCreate();
    fit_grid_to_contents(StringGrid1);
    auto* data = new QVBoxLayout();
    data->addWidget(StringGrid1);
    lay_out_counting_window(this, Label1, data, Chart1, options_box(), Button5);

    connect(Button2, &QPushButton::clicked, this, &TForm10::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm10::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm10::Button4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm10::Button1Click);
    connect(Button5, &QPushButton::clicked, this, &TForm10::Button5Click);
}

void TForm10::FormCreate() {
    // The save helper always asks before replacing a chosen file, which is
    // this window's text-or-workbook dialog option. Cell (0, 0) stays empty.
    set_cell(*StringGrid1, 1, 0, rrna_name(Rrna::S12));
    set_cell(*StringGrid1, 2, 0, rrna_name(Rrna::S16));
    set_cell(*StringGrid1, 0, 1, stem_word(true));
    set_cell(*StringGrid1, 0, 2, stem_word(false));
}

void TForm10::show_counts(const RrnaCounts& counts) {
    const RrnaSummaryGrid grid = rrna_summary_grid(counts);
    for (int r = 0; r < 2; ++r)
        for (int c = 1; c < 3; ++c)
            set_cell(*StringGrid1, c, r + 1,
                     QString::fromStdString(grid.rows[static_cast<size_t>(r)][static_cast<size_t>(c)]));
    show_chart(*Chart1, rrna_chart(counts));
}

void TForm10::Button2Click() {
    // The summary saves the grid as it is shown.
    RrnaSummaryGrid grid;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            grid.rows[static_cast<size_t>(r)][static_cast<size_t>(c)] = cell_text(*StringGrid1, c, r + 1);
    save_summary([&grid](ReportFormat format) { return rrna_summary_report(grid, format); },
                 [&grid](RowSink& rows) { rrna_summary_rows(grid, rows); });
}

void TForm10::Button3Click() { save_workspace_report(rrna_per_position_report, rrna_per_position_rows, Button3); }

void TForm10::Button4Click() { save_workspace_report(rrna_per_sample_report, rrna_per_sample_rows, Button4); }

void TForm10::Button1Click() { save_chart(); }

void TForm10::Button5Click() { close(); }
