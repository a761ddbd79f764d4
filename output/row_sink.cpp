#include "output/row_sink.h"

#include <algorithm>

namespace corvella {

bool CellCollector::begin(const SheetExtent& e) {
    extent = e;
    return true;
}

bool CellCollector::row(int32_t row, const RowCells& row_cells) {
    for (const RowCell& c : row_cells) cells.push_back(Cell{row, c.column, c.text, c.number});
    return true;
}

Report collect_cells(const RowProducer& produce) {
    CellCollector collector;
    produce(collector);
    Report report;
    report.cells = std::move(collector.cells);
    return report;
}

std::vector<const Cell*> cells_in_sheet_order(const std::vector<Cell>& cells) {
    std::vector<const Cell*> order(cells.size());
    std::transform(cells.begin(), cells.end(), order.begin(), [](const Cell& c) { return &c; });
    std::stable_sort(order.begin(), order.end(), [](const Cell* a, const Cell* b) {
        return a->row != b->row ? a->row < b->row : a->column < b->column;
    });
    std::vector<const Cell*> unique;
    unique.reserve(order.size());
    for (const Cell* c : order) {
        if (!unique.empty() && unique.back()->row == c->row && unique.back()->column == c->column)
            unique.back() = c;
        else
            unique.push_back(c);
    }
    return unique;
}

void rows_of_cells(const std::vector<Cell>& cells, RowSink& sink) {
    const std::vector<const Cell*> order = cells_in_sheet_order(cells);
    SheetExtent extent;
    for (const Cell* c : order) {
        extent.rows = std::max(extent.rows, c->row);
        extent.columns = std::max(extent.columns, c->column);
    }
    if (!sink.begin(extent)) return;
    RowCells row;
    for (size_t i = 0; i < order.size();) {
        const int32_t r = order[i]->row;
        row.clear();
        for (; i < order.size() && order[i]->row == r; ++i) row.push_back({order[i]->column, order[i]->text, order[i]->number});
        if (!sink.row(r, row)) return;
    }
    sink.end();
}

}  // namespace corvella
