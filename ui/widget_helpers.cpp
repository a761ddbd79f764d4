#include "ui/widget_helpers.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace corvella {

QLabel* bold_label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

void fit_grid_to_contents(QTableWidget* grid) {
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedSize(grid->horizontalHeader()->length() + 2 * grid->frameWidth(),
                       grid->verticalHeader()->length() + 2 * grid->frameWidth());
}

}  // namespace corvella
