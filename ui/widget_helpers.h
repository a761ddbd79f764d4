// Small builders the windows share.
#pragma once

class QLabel;
class QTableWidget;
class QWidget;

namespace corvella {

// An empty label in bold type, named for lookup (the summary labels).
QLabel* bold_label(QWidget* parent, const char* name);

// Sizes a count grid to show every row and column, as a string grid of that
// size does, with no scroll bars. Call after the column widths are set.
void fit_grid_to_contents(QTableWidget* grid);

}  // namespace corvella
