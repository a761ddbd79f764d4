#include "ui/widget_helpers.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <algorithm>

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
    // A label is never wrapped or cut: its column is as wide as it needs.
    grid->setWordWrap(false);
    for (int c = 0; c < grid->columnCount(); ++c) {
        const int set = grid->columnWidth(c);
        grid->resizeColumnToContents(c);
        grid->setColumnWidth(c, std::max(set, grid->columnWidth(c)));
    }
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedSize(grid->horizontalHeader()->length() + 2 * grid->frameWidth(),
                       grid->verticalHeader()->length() + 2 * grid->frameWidth());
}

QString shown_caption(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

QChar mnemonic_of(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return text[i + 1].toLower();
        ++i;
    }
    return QChar();
}

}  // namespace corvella
