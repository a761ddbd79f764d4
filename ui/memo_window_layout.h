// The layout TForm2 and TForm7 share: the file label on top, the memo
// filling the window, and a row of buttons with "Close" on the right.
#pragma once

class QLabel;
class QPushButton;
class QWidget;

namespace corvella {

void lay_out_memo_window(QWidget* window, QLabel* label, QWidget* memo, QPushButton* first,
                         QPushButton* second, QPushButton* close);

}  // namespace corvella
