// Pieces the tRNA and rRNA structure windows are built from: the string grid
// with a fixed first row and column, the "Options" group box with its four
// save rows, and the grid texts read back as shown.
#pragma once

#include <QString>
#include <array>
#include <string>

class QGroupBox;
class QPushButton;
class QTableWidget;
class QWidget;

namespace corvella {

// A grid of `columns` x `rows` read-only cells whose first row and first
// column are drawn as fixed (header-coloured), without Qt's own headers.
QTableWidget* make_string_grid(QWidget* parent, const char* name, int columns, int rows);

// Sets the text of cell (column, row), creating the item when needed.
void set_cell(QTableWidget& grid, int column, int row, const QString& text);
// The text of cell (column, row) as shown; empty when nothing was set.
std::string cell_text(const QTableWidget& grid, int column, int row);

// The group box "Options": the labels "1. Save summary results" ... "4. Save
// graph as image", each with a "Save As..." button beside it. The buttons
// come back in label order.
struct SaveOptions {
    QGroupBox* box;
    std::array<QPushButton*, 4> buttons;
};
SaveOptions make_save_options(QWidget* parent);

// The button, named for lookup and kept from being the dialog's default.
QPushButton* named_button(QPushButton* button, const char* name);

// The filter of the text-or-workbook save dialog of both structure windows.
extern const char* const STRUCTURE_REPORT_FILTER;

}  // namespace corvella
