// Cell texts as the workbook stores them: UTF-16 code units.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvella {

// Excel keeps at most this many characters (UTF-16 code units) in a cell.
constexpr size_t EXCEL_MAX_CELL_CHARS = 32767;

// The refusals of both workbook writers, for a sheet `kind` ("Excel",
// "Excel 97-2003") whose size limits read `limits`.
std::string sheet_too_large_message(const std::string& path, const std::string& kind, const std::string& limits);
std::string cell_too_long_message(const std::string& path, const std::string& kind, int32_t row, int32_t column);

// Valid UTF-8 becomes its UTF-16 form (surrogate pairs past U+FFFF). Any
// other byte string (a sample name from a file in a legacy code page) is
// taken byte for byte as Latin-1, so no byte is lost or replaced.
std::u16string excel_text(std::string_view bytes);

// True when `text` is a plain decimal integer that a sheet can store as a
// number: digits only, no sign, no leading zero ("0" itself is one), at most
// nine digits. The value goes to *value.
bool plain_integer(std::string_view text, uint32_t* value);

// True when `text` is a decimal number as the tables write them: an optional
// "-", digits, and an optional "." with more digits ("12", "0.250000",
// "-1.5"); at most 24 characters. The value goes to *value.
bool decimal_number(std::string_view text, double* value);

}  // namespace corvella
