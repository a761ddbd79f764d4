// Selecting and copying the count grids: a person selects cells, rows (by
// their first, fixed cell) or the whole grid (by the corner cell, or Ctrl+A)
// and copies them with Ctrl+C or the grid's context menu, as tab-separated
// lines that a spreadsheet pastes into cells.
#pragma once

#include <QString>

class QTableWidget;

namespace corvella {

// The selected cells as text: the rows and columns from the first to the
// last selected one, fields separated by TAB, each row ending in "\n"; a
// cell inside that block but not selected gives an empty field. Empty when
// nothing is selected.
QString selected_grid_text(const QTableWidget& grid);

// Puts selected_grid_text on the clipboard (nothing when it is empty).
void copy_grid_selection(const QTableWidget& grid);

// Makes a read-only grid selectable and copyable: extended selection of
// cells, a click on a fixed cell of the first column selects its row, on
// the corner cell the whole grid; Ctrl+C copies; the context menu holds
// "Copy" and "Select All". The cells' texts are not changed.
void make_grid_copyable(QTableWidget* grid);

}  // namespace corvella
