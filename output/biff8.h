// The records of an Excel 97-2003 (BIFF8) workbook stream with one sheet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvella {

// One cell of the sheet, 0-based. A text cell holds the index of its string
// in the shared string table; a number cell holds its value.
struct SheetCell {
    uint16_t row;
    uint16_t column;
    bool is_number;
    uint32_t value;
};

// The bytes of the "Workbook" stream: the workbook globals (fonts, formats,
// the sheet's name, the shared strings) followed by one worksheet.
// `cells` must be sorted by row, then column, with no position twice;
// `strings` are the distinct texts, none longer than 32,767 code units;
// `text_cells` is the number of text cells (the table's total use count).
std::string biff8_workbook(const std::string& sheet_name, const std::vector<SheetCell>& cells,
                           const std::vector<std::u16string>& strings, uint32_t text_cells);

}  // namespace corvella
