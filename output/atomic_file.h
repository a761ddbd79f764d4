// Replaces a file only once its new content is completely on disk.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "output/write_result.h"

namespace corvella {

// Writes `bytes` to a temporary file in the folder of `path`, flushes it to
// disk and renames it over `path`. On any failure the temporary file is
// removed, an existing file at `path` is left as it was, and the result holds
// "Cannot write <path>: <the system's reason>". The same holds when the
// content's writer throws (the exception goes on) and when the work on this
// thread was cancelled (WorkCancelled is thrown before the rename).
WriteResult write_file_atomically(const std::string& path, std::string_view bytes);

// The same for content written straight into the file: `fill` gets the open
// temporary file and returns an empty text, or the reason it failed.
WriteResult write_file_atomically(const std::string& path, const std::function<std::string(int fd)>& fill);

// The same for a library that opens the file itself: `fill` gets the name of
// the temporary file (or of a device target, which is written in place).
WriteResult write_file_atomically_by_name(const std::string& path,
                                          const std::function<std::string(const std::string& name)>& fill);

// Writes all of `bytes` to `fd`, retrying short and interrupted writes;
// false (with errno set) on failure.
bool write_all(int fd, std::string_view bytes);

// The failure message every writer uses.
WriteResult write_failure(const std::string& path, const std::string& reason);

}  // namespace corvella
