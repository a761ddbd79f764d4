#include "ui/grid_copy.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTableWidget>
#include <algorithm>

namespace corvella {

QString selected_grid_text(const QTableWidget& grid) {
    const QItemSelectionModel* selection = grid.selectionModel();
    const QModelIndexList indexes = selection ? selection->selectedIndexes() : QModelIndexList();
    if (indexes.isEmpty()) return QString();
    int top = indexes.front().row(), bottom = top, left = indexes.front().column(), right = left;
    for (const QModelIndex& i : indexes) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    QString text;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left) text += '\t';
            const QTableWidgetItem* item = grid.item(r, c);
            if (item != nullptr && selection->isSelected(grid.model()->index(r, c))) text += item->text();
        }
        text += '\n';
    }
    return text;
}

void copy_grid_selection(const QTableWidget& grid) {
    const QString text = selected_grid_text(grid);
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

namespace {

// Ctrl+C reaches the grid's own copy (which would take only the current
// cell) unless the grid's shortcut override is answered first.
class CopyKeys : public QObject {
public:
    explicit CopyKeys(QTableWidget* grid) : QObject(grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != grid_) return false;
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Copy)) {
                event->accept();
                if (event->type() == QEvent::KeyPress) copy_grid_selection(*grid_);
                return true;
            }
        }
        return false;
    }

private:
    QTableWidget* grid_;
};

}  // namespace

void make_grid_copyable(QTableWidget* grid) {
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    // Reached by a click, not by Tab: the grid is read-only.
    grid->setFocusPolicy(Qt::ClickFocus);
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (QTableWidgetItem* item = grid->item(r, c)) item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);

    QObject::connect(grid, &QTableWidget::cellClicked, grid, [grid](int row, int column) {
        if (column != 0 || (QApplication::keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) return;
        if (row == 0)
            grid->selectAll();
        else
            grid->selectRow(row);
    });

    auto* copy = new QAction(QObject::tr("&Copy"), grid);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(copy, &QAction::triggered, grid, [grid] { copy_grid_selection(*grid); });
    auto* all = new QAction(QObject::tr("Select &All"), grid);
    all->setShortcut(QKeySequence::SelectAll);
    all->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(all, &QAction::triggered, grid, &QTableWidget::selectAll);
    grid->addAction(copy);
    grid->addAction(all);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    grid->installEventFilter(new CopyKeys(grid));
}

}  // namespace corvella
