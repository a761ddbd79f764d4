#include "output/workbook_writer.h"

#include <algorithm>
#include <unordered_map>

#include "output/atomic_file.h"
#include "output/biff8.h"
#include "output/compound_file.h"
#include "output/excel_text.h"
#include "output/row_sink.h"

namespace corvella {

namespace {

std::string too_large_message(const std::string& path) {
    return sheet_too_large_message(path, "Excel 97-2003", "65,536 rows and 256 columns");
}

// Collects the rows for the shared-string table, after refusing an extent
// that does not fit a sheet.
class XlsRows : public RowSink {
public:
    bool begin(const SheetExtent& extent) override {
        if (extent.rows <= WORKBOOK_MAX_ROWS && extent.columns <= WORKBOOK_MAX_COLUMNS) return true;
        refused_ = true;
        return false;
    }
    bool row(int32_t row, const RowCells& row_cells) override {
        for (const RowCell& c : row_cells) cells.push_back(Cell{row, c.column, c.text, c.number});
        return true;
    }
    void end() override {}

    bool refused() const { return refused_; }
    std::vector<Cell> cells;

private:
    bool refused_ = false;
};

}  // namespace

WriteResult write_xls(const std::string& path, const RowProducer& produce) {
    XlsRows sink;
    produce(sink);
    if (sink.refused()) return WriteResult{false, too_large_message(path)};
    return WorkbookWriter(path, sink.cells);
}

WriteResult WorkbookWriter(const std::string& path, const std::vector<Cell>& cells) {
    for (const Cell& c : cells) {
        if (c.row < 1 || c.column < 1 || c.row > WORKBOOK_MAX_ROWS || c.column > WORKBOOK_MAX_COLUMNS)
            return WriteResult{false, too_large_message(path)};
    }

    std::vector<SheetCell> sheet;
    sheet.reserve(cells.size());
    std::vector<std::u16string> strings;
    std::unordered_map<std::string_view, uint32_t> string_index;
    string_index.reserve(cells.size());
    uint32_t text_cells = 0;
    for (const Cell* c : cells_in_sheet_order(cells)) {
        // An empty text leaves the cell empty, as setting "" would.
        if (c->text.empty()) continue;
        SheetCell s{static_cast<uint16_t>(c->row - 1), static_cast<uint16_t>(c->column - 1), true, 0};
        if (!plain_integer(c->text, &s.value)) {
            s.is_number = false;
            auto [it, added] = string_index.try_emplace(c->text, static_cast<uint32_t>(strings.size()));
            if (added) {
                strings.push_back(excel_text(c->text));
                if (strings.back().size() > EXCEL_MAX_CELL_CHARS)
                    return WriteResult{false, cell_too_long_message(path, "Excel 97-2003", c->row, c->column)};
            }
            s.value = it->second;
            ++text_cells;
        }
        sheet.push_back(s);
    }

    const std::string stream = biff8_workbook("results", sheet, strings, text_cells);
    return write_file_atomically(path, [&stream](int fd) { return write_compound_file(fd, "Workbook", stream); });
}

}  // namespace corvella
