// A report's workbook form as typed columns, the shape a DataFrame is built
// from: the rows the file writers take, cell by cell, with every column that
// holds only numbers given as numbers. Plain C++; the module turns the
// columns into NumPy arrays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output/row_sink.h"

namespace corvella::python {

// What a column holds once read: whole numbers, decimal numbers, or texts.
// A column is Integer when every non-empty cell is a decimal integer, else
// Decimal when every non-empty cell is a decimal number, else Text; empty
// cells are missing values in each. This is how pandas reads the columns of
// the text tables back, so a frame and its file agree.
enum class ColumnKind { Integer, Decimal, Text };

struct SheetColumn {
    ColumnKind kind = ColumnKind::Integer;
    std::vector<int64_t> integers;    // Integer: one per row (a missing cell is 0)
    std::vector<double> decimals;     // Decimal: one per row (a missing cell is NaN)
    std::vector<std::string> texts;   // Text: one per row (a missing cell is empty)
    std::vector<uint8_t> missing;     // one per row: 1 where the cell is empty
    bool any_missing() const;
};

struct Sheet {
    std::vector<std::string> header;   // the first row's cells, when the header is taken
    std::vector<SheetColumn> columns;  // one per column of the sheet, left to right
    int64_t rows = 0;                  // data rows
};

// Collects a report's rows. With `header`, row 1 names the columns and the
// data starts in row 2; without, every row of the sheet is data. Rows the
// report leaves out are empty rows, as they are in the workbook.
class SheetCollector : public RowSink {
public:
    explicit SheetCollector(bool header) : take_header_(header) {}
    bool begin(const SheetExtent& extent) override;
    bool row(int32_t row, const RowCells& cells) override;
    void end() override {}
    // The typed sheet; the collected texts are given up while typing.
    Sheet finish();

private:
    bool take_header_;
    int32_t first_data_row_ = 1;
    int32_t rows_ = 0;
    std::vector<std::string> header_;
    std::vector<std::vector<std::string>> cells_;  // column by column
};

// A decimal integer ("-12", "0042"), in range of int64.
bool read_integer(const std::string& text, int64_t& value);
// A decimal number without exponent ("0.200000", "-3", ".5").
bool read_decimal(const std::string& text, double& value);

}  // namespace corvella::python
