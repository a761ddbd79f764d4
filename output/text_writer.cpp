#include "output/text_writer.h"

#include "output/atomic_file.h"

namespace corvella {

WriteResult write_text_file(const std::string& path, std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16 + 16);
    for (const char c : text) {
        if (c == '\n') bytes.push_back('\r');
        bytes.push_back(c);
    }
    return write_file_atomically(path, bytes);
}

}  // namespace corvella
