// The workbook form of a report as a stream of rows. A report first declares
// the extent of its sheet, then hands over its rows in ascending order as it
// produces them, then ends. A writer can thus refuse a report that does not
// fit its sheet before any row is built, and write the others without
// holding them: the .xlsx writer streams each row to disk, the .xls writer
// collects the cells it needs for its shared-string table.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "output/report.h"
#include "output/write_result.h"

namespace corvella {

// The last row and the last column that a report writes, both from 1 (0 rows
// or 0 columns: an empty sheet).
struct SheetExtent {
    int32_t rows = 0;
    int32_t columns = 0;
};

struct RowCell {
    int32_t column = 0;  // from 1
    std::string text;
    bool number = false;  // as Cell::number

    RowCell() = default;
    RowCell(int32_t column_, std::string text_, bool number_ = false)
        : column(column_), text(std::move(text_)), number(number_) {}
};

// One row's cells. An empty text is an empty cell, as in Report::cells.
using RowCells = std::vector<RowCell>;

class RowSink {
public:
    virtual ~RowSink() = default;
    // Called once, before any row and before the report starts its progress
    // window. False refuses the report: it then stops at once, writing no row.
    virtual bool begin(const SheetExtent& extent) = 0;
    // The cells of `row` (from 1), rows strictly ascending, each row at most
    // once. False stops the report (the writer failed); it writes no more.
    virtual bool row(int32_t row, const RowCells& cells) = 0;
    // After the last row, when the report ran to its end.
    virtual void end() = 0;
};

// The workbook form of one report, written into the sink it is given.
using RowProducer = std::function<void(RowSink& sink)>;

// Keeps every cell, in the order given, as today's Report::cells; refuses
// nothing. The report functions' Report form and the tests use it.
class CellCollector : public RowSink {
public:
    bool begin(const SheetExtent& extent) override;
    bool row(int32_t row, const RowCells& cells) override;
    void end() override {}

    SheetExtent extent;       // as declared
    std::vector<Cell> cells;  // every cell handed over
};

// The cells a producer hands over, as a Report's workbook form.
Report collect_cells(const RowProducer& produce);

// The cells in row-then-column order, one per position: where a report sets
// a position twice, the value set last stays, as it would in a spreadsheet.
std::vector<const Cell*> cells_in_sheet_order(const std::vector<Cell>& cells);

// Hands a Report's cells (in any order) to a sink: the extent of the cells
// that are there, then their rows in order.
void rows_of_cells(const std::vector<Cell>& cells, RowSink& sink);

}  // namespace corvella
