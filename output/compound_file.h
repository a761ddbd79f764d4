// The OLE Compound File container that Excel 97-2003 workbooks live in.
#pragma once

#include <string>
#include <string_view>

namespace corvella {

// Writes a compound file holding one stream `stream_name` with `data` into
// the open file `fd` (which stays open). Returns an empty text, or the
// reason the container could not be written.
std::string write_compound_file(int fd, const std::string& stream_name, std::string_view data);

}  // namespace corvella
