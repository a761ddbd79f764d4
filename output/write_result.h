#pragma once

#include <string>

namespace corvella {

// Outcome of writing a file. On failure `error` holds a message for the
// person, with the system's reason ("Cannot write /x/y.txt: Permission denied").
struct WriteResult {
    bool ok = true;
    std::string error;
};

}  // namespace corvella
