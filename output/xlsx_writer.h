// Writes a report's rows as an Office Open XML workbook (.xlsx) with one sheet
// named "results", through libxlsxwriter in its constant-memory mode: each
// row goes to disk as it comes, so memory does not grow with the sheet.
#pragma once

#include <string>
#include <vector>

#include "output/report.h"
#include "output/row_sink.h"
#include "output/write_result.h"

namespace corvella {

constexpr int32_t XLSX_MAX_ROWS = 1048576;
constexpr int32_t XLSX_MAX_COLUMNS = 16384;

// Runs `produce` into a sink that writes each row as it comes. The cells
// follow the .xls writer's rule: a plain decimal integer of at most nine
// digits is a number, and so is a decimal text of a number column's cell
// (Cell::number), every other text a string (valid UTF-8 as it is,
// anything else byte for byte as Latin-1); an empty text leaves its cell
// empty. A report whose declared extent passes 1,048,576 rows or 16,384
// columns, or with a cell over 32,767 characters, is refused with a message
// that suggests the text form. The file is written atomically: a refusal or
// a failure leaves an existing file as it was.
WriteResult write_xlsx(const std::string& path, const RowProducer& produce);

// The same for a Report's cells, in any order (where a position is set twice
// the value set last stays, as in the .xls writer).
WriteResult XlsxWriter(const std::string& path, const std::vector<Cell>& cells);

}  // namespace corvella
