// Cell texts as the workbook stores them: UTF-16 code units.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvella {

// Valid UTF-8 becomes its UTF-16 form (surrogate pairs past U+FFFF). Any
// other byte string (a sample name from a file in a legacy code page) is
// taken byte for byte as Latin-1, so no byte is lost or replaced.
std::u16string excel_text(std::string_view bytes);

// True when `text` is a plain decimal integer that a sheet can store as a
// number: digits only, no sign, no leading zero ("0" itself is one), at most
// nine digits. The value goes to *value.
bool plain_integer(std::string_view text, uint32_t* value);

}  // namespace corvella
