// The input operands of a read: paths, and "@PATHS" words that stand for
// the paths a file lists; and such a file chosen in the desktop program's
// open dialog.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvella {

// The input paths of the operands: a word "@PATHS" stands for the paths
// listed in the file PATHS, one per line (empty lines passed over); any other
// word is a path. False, with the message, when a PATHS file cannot be read
// or no path is given.
bool expand_input_operands(const std::vector<std::string>& operands, std::vector<std::string>& paths,
                           std::string& error);

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
