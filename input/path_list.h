// A text file that lists the input files of one cohort, one path per line:
// the command line's @PATHS, and a file of that shape chosen in the desktop
// program's open dialog.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvella {

// Appends the paths listed in the file `list`, one per line as written
// (empty lines passed over). False when the file cannot be read.
bool read_path_list(const std::string& list, std::vector<std::string>& paths);

// The files a chosen file lists, when it is such a list: a text file of at
// most PATH_LIST_MAX_BYTES whose every non-empty line, of at least one, names
// an existing file other than itself; a relative name is taken in the list's
// folder, else as given. Nothing for any other file (a polymorphism list
// starts with a name line or a variant line, neither of which names a file).
constexpr size_t PATH_LIST_MAX_BYTES = size_t{1} << 20;
std::optional<std::vector<std::string>> listed_paths(const std::string& path);

}  // namespace corvella
