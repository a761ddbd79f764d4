// What the tRNA and rRNA structure windows share: the string grid with a
// fixed first row and column, and a base window with the summary label, the
// chart, the "Options" group box with its four save rows, "Close", and the
// save actions behind the buttons.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <string>

#include "core/workspace.h"
#include "output/chart_spec.h"
#include "output/report.h"
#include "ui/Progressbarform.h"
#include "ui/dialogs.h"
#include "ui/report_saving.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QWidget;
QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

namespace corvella {

// A grid of `columns` x `rows` read-only cells whose first row and first
// column are drawn as fixed (header-coloured), without Qt's own headers;
// its cells can be selected and copied (ui/grid_copy.h).
QTableWidget* make_string_grid(QWidget* parent, const char* name, int columns, int rows);

// Sets the text of cell (column, row), creating the item when needed.
void set_cell(QTableWidget& grid, int column, int row, const QString& text);
// The text of cell (column, row) as shown; empty when nothing was set.
std::string cell_text(const QTableWidget& grid, int column, int row);

// The group box "Options": the labels "1. Save summary results" ... "4. Save
// graph as image" (the last one's text given), each with a "Save As..."
// button beside it. Labels and buttons come back in label order.
struct SaveOptions {
    QGroupBox* box;
    std::array<QLabel*, 4> labels;
    std::array<QPushButton*, 4> buttons;
};
SaveOptions make_save_options(QWidget* parent, const char* chart_label = "4. Save graph as image");

// The button, named for lookup and kept from being the dialog's default.
QPushButton* named_button(QPushButton* button, const char* name);

// The filter of the text-or-workbook save dialog of both structure windows.
extern const char* const STRUCTURE_REPORT_FILTER;

// The common part of TForm9 and TForm10. The windows lay the parts out and
// connect the buttons to their own handlers.
class StructureWindow : public QDialog {
public:
    QLabel* Label1;               // bold: list name and sequence count
    QChartView* Chart1;
    QPushButton* Button2;         // 1. summary
    QPushButton* Button3;         // 2. per position
    QPushButton* Button4;         // 3. per sample
    QPushButton* Button1;         // 4. chart image
    QPushButton* Button5;         // Close
    SaveDialogState SaveDialog1;  // text or workbook; remembers the type

    QGroupBox* options_box() const { return options_.box; }

protected:
    using WorkspaceReport = Report (*)(const Workspace&, ReportFormat, ProgressSink*);
    using WorkspaceRows = void (*)(const Workspace&, RowSink&, ProgressSink*);

    StructureWindow(Workspace& ws, Dialogs& dialogs, TForm6& progress, QWidget* parent,
                    const QString& caption, const ChartSpec& empty_chart);

    // SaveDialog1, then the summary in the chosen form.
    void save_summary(const std::function<Report(ReportFormat)>& build,
                      const std::function<void(RowSink&)>& rows);
    // SaveDialog1, then a report read from the workspace at the click; its
    // workbook form drives the progress window. `table` stands for the
    // report in the dialog's memory of names (its button).
    void save_workspace_report(WorkspaceReport build, WorkspaceRows rows, const void* table);
    // SaveDialog2, then Chart1 as shown.
    void save_chart();

private:
    Workspace& ws_;
    Dialogs& dialogs_;
    TForm6& progress_;
    SaveOptions options_;
};

}  // namespace corvella
