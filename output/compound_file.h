// The OLE Compound File container that Excel 97-2003 workbooks live in.
#pragma once

#include <string>
#include <string_view>

namespace corvella {

// A compound file holding one stream `stream_name` with `data`, built in
// memory. False, with the reason in *error, when the container library fails.
bool compound_file_bytes(const std::string& stream_name, std::string_view data, std::string* out,
                         std::string* error);

}  // namespace corvella
