// The input operands of a read: paths, and "@PATHS" words that stand for
// the paths a file lists.
#pragma once

#include <string>
#include <vector>

namespace corvella {

// The input paths of the operands: a word "@PATHS" stands for the paths
// listed in the file PATHS, one per line (empty lines passed over); any other
// word is a path. False, with the message, when a PATHS file cannot be read
// or no path is given.
bool expand_input_operands(const std::vector<std::string>& operands, std::vector<std::string>& paths,
                           std::string& error);

}  // namespace corvella
