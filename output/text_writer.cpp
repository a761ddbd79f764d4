#include "output/text_writer.h"

#include <cerrno>
#include <cstring>

#include "output/atomic_file.h"

namespace corvella {

namespace {

// The converted text goes to the file in blocks of this size, so a network
// file of hundreds of megabytes is never held twice in memory.
constexpr size_t BLOCK = size_t{1} << 20;

// Writes `text` with CR LF line ends, copying whole runs between line ends.
bool write_crlf(int fd, std::string_view text) {
    std::string block;
    block.reserve(BLOCK + 2);
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const void* found = std::memchr(p, '\n', static_cast<size_t>(end - p));
        const char* const run_end = found ? static_cast<const char*>(found) : end;
        block.append(p, run_end);
        if (found) block.append("\r\n", 2);
        p = found ? run_end + 1 : end;
        if (block.size() >= BLOCK) {
            if (!write_all(fd, block)) return false;
            block.clear();
        }
    }
    return write_all(fd, block);
}

}  // namespace

WriteResult write_text_file(const std::string& path, std::string_view text) {
    return write_file_atomically(path, [text](int fd) {
        return write_crlf(fd, text) ? std::string() : std::string(std::strerror(errno));
    });
}

}  // namespace corvella
