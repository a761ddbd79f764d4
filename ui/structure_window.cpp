#include "ui/structure_window.h"

#include <QChartView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTableWidget>

#include "pictures/chart_view.h"
#include "ui/grid_copy.h"
#include "ui/widget_helpers.h"

namespace corvella {

const char* const STRUCTURE_REPORT_FILTER =
    "Text File (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx";

QTableWidget* make_string_grid(QWidget* parent, const char* name, int columns, int rows) {
    auto* grid = new QTableWidget(rows, columns, parent);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) set_cell(*grid, c, r, QString());
    make_grid_copyable(grid);
    return grid;
}

void set_cell(QTableWidget& grid, int column, int row, const QString& text) {
    QTableWidgetItem* item = grid.item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem();
        // The first row and column are the grid's fixed cells.
        if (row == 0 || column == 0) item->setBackground(grid.palette().color(QPalette::Button));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid.setItem(row, column, item);
    }
    item->setText(text);
}

std::string cell_text(const QTableWidget& grid, int column, int row) {
    const QTableWidgetItem* item = grid.item(row, column);
    return item ? item->text().toStdString() : std::string();
}

QPushButton* named_button(QPushButton* button, const char* name) {
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

SaveOptions make_save_options(QWidget* parent, const char* chart_label) {
    const char* const labels[4] = {"1. Save summary results", "2. Save data per position",
                                   "3. Save data per sample", chart_label};
    SaveOptions options{new QGroupBox("Options", parent), {}, {}};
    auto* rows = new QGridLayout(options.box);
    for (int k = 0; k < 4; ++k) {
        auto* label = new QLabel(labels[k], options.box);
        rows->addWidget(label, k, 0);
        auto* button = new QPushButton("Save As...", options.box);
        button->setAutoDefault(false);
        rows->addWidget(button, k, 1);
        options.labels[static_cast<size_t>(k)] = label;
        options.buttons[static_cast<size_t>(k)] = button;
    }
    return options;
}

StructureWindow::StructureWindow(Workspace& ws, Dialogs& dialogs, TForm6& progress, QWidget* parent,
                                 const QString& caption, const ChartSpec& empty_chart)
    : QDialog(parent), ws_(ws), dialogs_(dialogs), progress_(progress), options_(make_save_options(this)) {
    setWindowTitle(caption);
    Label1 = bold_label(this, "Label1");
    Chart1 = make_chart_view(empty_chart, this);
    Chart1->setObjectName("Chart1");
    Button2 = named_button(options_.buttons[0], "Button2");
    Button3 = named_button(options_.buttons[1], "Button3");
    Button4 = named_button(options_.buttons[2], "Button4");
    Button1 = named_button(options_.buttons[3], "Button1");
    Button5 = named_button(new QPushButton("Close", this), "Button5");
}

void StructureWindow::save_summary(const std::function<Report(ReportFormat)>& build,
                                   const std::function<void(RowSink&)>& rows) {
    save_report(this, dialogs_, SaveDialog1, STRUCTURE_REPORT_FILTER,
                ReportForms{[&build] { return build(ReportFormat::Text).text; },
                            [&rows](RowSink& sink, ProgressSink*) { rows(sink); },
                            0, Button2},
                nullptr);
}

void StructureWindow::save_workspace_report(WorkspaceReport build, WorkspaceRows rows, const void* table) {
    save_report(this, dialogs_, SaveDialog1, STRUCTURE_REPORT_FILTER,
                ReportForms{[this, build] { return build(ws_, ReportFormat::Text, nullptr).text; },
                            [this, rows](RowSink& sink, ProgressSink* progress) { rows(ws_, sink, progress); },
                            ws_.sample_positions.size(), table},
                &progress_);
}

void StructureWindow::save_chart() { save_chart_image(this, dialogs_, Chart1); }

}  // namespace corvella
