// Writes a text (report, polymorphism list, network file) to disk.
#pragma once

#include <string>
#include <string_view>

#include "output/write_result.h"

namespace corvella {

// Writes `text` with every "\n" stored as CR LF. The file is written to a
// temporary file in the same folder and renamed over `path` only when it is
// complete and flushed, so a failure never destroys an existing file.
WriteResult write_text_file(const std::string& path, std::string_view text);

}  // namespace corvella
