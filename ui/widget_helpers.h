// Small builders the windows share.
#pragma once

#include <QString>

class QLabel;
class QTableWidget;
class QWidget;

namespace corvella {

// An empty label in bold type, named for lookup (the summary labels).
QLabel* bold_label(QWidget* parent, const char* name);

// Sizes a count grid to show every row and column, as a string grid of that
// size does, with no scroll bars; a column narrower than its widest text is
// widened, and no text is wrapped. Call after the column widths and the
// fixed texts are set.
void fit_grid_to_contents(QTableWidget* grid);

// A menu or button caption as the person reads it: the mnemonic marker "&"
// removed ("E&xit" reads "Exit"), a doubled "&&" kept as one "&".
QString shown_caption(const QString& text);

// The letter a caption's mnemonic reaches, lower case; a null character when
// the caption has none.
QChar mnemonic_of(const QString& text);

}  // namespace corvella
