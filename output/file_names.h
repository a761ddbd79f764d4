// File-name rules of every "Save As..." button.
#pragma once

#include <string>

namespace corvella {

// Appends ext (".txt", ".xls", ".bmp", ".rdf") unless the text from the
// path's last "." on (folder names included) is exactly ext, byte for byte:
// run1 -> run1.txt, run1.TXT -> run1.TXT.txt, C:\old.runs\sample -> ...sample.txt.
std::string ensure_extension(const std::string& path, const std::string& ext);

// The part of a path after its last folder separator ("/" or "\").
std::string file_name_of(const std::string& path);

}  // namespace corvella
