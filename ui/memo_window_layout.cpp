#include "ui/memo_window_layout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace corvella {

void lay_out_memo_window(QWidget* window, QLabel* label, QWidget* memo, QPushButton* first,
                         QPushButton* second, QPushButton* close) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(first);
    buttons->addWidget(second);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(label);
    layout->addWidget(memo, 1);
    layout->addLayout(buttons);
}

}  // namespace corvella
