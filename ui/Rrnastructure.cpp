#include "ui/Rrnastructure.h"

#include <QChartView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "classify/rrna_reports.h"
#include "ui/charts/chart_view.h"
#include "ui/structure_window_parts.h"
#include "ui/widget_helpers.h"

using namespace corvella;

TForm10::TForm10(Workspace& ws, Dialogs& dialogs, TForm6& progress, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs), progress_(progress) {
    setWindowTitle("Human rRNA's structure");
    Label1 = bold_label(this, "Label1");

    StringGrid1 = make_string_grid(this, "StringGrid1", 3, 3);
    for (int r = 0; r < 3; ++r) StringGrid1->setRowHeight(r, 24);
    StringGrid1->setFixedSize(3 * StringGrid1->columnWidth(0) + 4, 3 * 24 + 4);

    Chart1 = make_chart_view(rrna_chart(RrnaCounts{}), this);
    Chart1->setObjectName("Chart1");
    Chart1->setMinimumSize(420, 340);

    const SaveOptions options = make_save_options(this);
    Button2 = named_button(options.buttons[0], "Button2");
    Button3 = named_button(options.buttons[1], "Button3");
    Button4 = named_button(options.buttons[2], "Button4");
    Button1 = named_button(options.buttons[3], "Button1");
    Button5 = named_button(new QPushButton("Close", this), "Button5");

    auto* left = new QVBoxLayout();
    left->addWidget(StringGrid1);
    left->addWidget(options.box);
    left->addStretch();
    auto* close_row = new QHBoxLayout();
    close_row->addStretch();
    close_row->addWidget(Button5);
    left->addLayout(close_row);
    auto* columns = new QHBoxLayout();
    columns->addLayout(left);
    columns->addWidget(Chart1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(columns);

    connect(Button2, &QPushButton::clicked, this, &TForm10::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm10::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm10::Button4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm10::Button1Click);
    connect(Button5, &QPushButton::clicked, this, &TForm10::Button5Click);
    FormCreate();
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
    save_report(this, dialogs_, SaveDialog1, STRUCTURE_REPORT_FILTER,
                [&grid](ReportFormat format, ProgressSink*) { return rrna_summary_report(grid, format); }, nullptr);
}

void TForm10::Button3Click() {
    save_report(this, dialogs_, SaveDialog1, STRUCTURE_REPORT_FILTER,
                [this](ReportFormat format, ProgressSink* progress) {
                    return rrna_per_position_report(ws_, format, progress);
                },
                &progress_);
}

void TForm10::Button4Click() {
    save_report(this, dialogs_, SaveDialog1, STRUCTURE_REPORT_FILTER,
                [this](ReportFormat format, ProgressSink* progress) {
                    return rrna_per_sample_report(ws_, format, progress);
                },
                &progress_);
}

void TForm10::Button1Click() { save_chart_image(this, dialogs_, Chart1); }

void TForm10::Button5Click() { close(); }
