// Writes cells as a real Excel 97-2003 workbook (BIFF8 records in a Compound
// File container) whose first sheet is named "results".
#pragma once

#include <string>
#include <vector>

#include "output/report.h"
#include "output/row_sink.h"
#include "output/write_result.h"

namespace corvella {

constexpr int32_t WORKBOOK_MAX_ROWS = 65536;
constexpr int32_t WORKBOOK_MAX_COLUMNS = 256;

// Every cell at its (row, column), both from 1. A cell whose text is a plain
// decimal integer (digits only, no leading zero, at most 9 digits) is stored
// as a number, every other cell as text (valid UTF-8 as Unicode, anything
// else byte for byte as Latin-1). An existing file is replaced, atomically.
// A report that does not fit a sheet (65,536 rows, 256 columns) is refused
// with a message that suggests the text form.
WriteResult WorkbookWriter(const std::string& path, const std::vector<Cell>& cells);

// The same for a report handed over as rows: a declared extent beyond a
// sheet is refused at once, with the same message, before any row is built.
WriteResult write_xls(const std::string& path, const RowProducer& produce);

}  // namespace corvella
