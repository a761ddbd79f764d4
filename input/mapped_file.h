// A whole file's bytes without copying them: a regular file is mapped into
// memory read-only, anything else (a pipe, a device) is read once into a
// buffer. The readers parse the bytes in place and keep nothing that points
// into them, so the file is released when the value goes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvella {

class FileBytes {
public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // False when the file cannot be opened or read (a folder, a vanished
    // file); the bytes are then empty.
    bool open(const std::string& path);
    std::string_view text() const { return mapped_ != nullptr ? std::string_view(mapped_, size_) : std::string_view(buffer_); }

    // Gives back the memory of the whole pages inside `part` (a piece of
    // text()) that a reader has finished with. A mapped file's pages leave
    // the process and are read from the file again if touched; a buffer is
    // kept as it is.
    void release_part(std::string_view part) const;

private:
    void release();
    const char* mapped_ = nullptr;
    std::size_t size_ = 0;
    std::string buffer_;
};

}  // namespace corvella
