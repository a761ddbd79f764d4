#include "input/text_file.h"

#include <cstdio>

namespace corvella {

namespace {

constexpr size_t BLOCK = size_t{1} << 20;

// Appends blocks until the end of the file; false on a read error.
bool read_blocks(std::FILE* f, std::string& text) {
    size_t used = text.size();
    for (;;) {
        text.resize(used + BLOCK);
        const size_t got = std::fread(&text[used], 1, BLOCK, f);
        used += got;
        if (got < BLOCK) break;
    }
    text.resize(used);
    return std::ferror(f) == 0;
}

}  // namespace

bool read_text_file(const std::string& path, std::string& text) {
    text.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    // Reserve the whole size once the file has shown it can be read (a folder
    // opens but fails at the first read), so a large list is read without
    // regrowing the buffer.
    const long here = std::ftell(f);
    if (here == 0 && std::fseek(f, 0, SEEK_END) == 0) {
        const long size = std::ftell(f);
        std::rewind(f);
        char probe = 0;
        if (size > 0 && std::fread(&probe, 1, 1, f) == 1) {
            text.reserve(static_cast<size_t>(size) + BLOCK);
            text.push_back(probe);
        }
    }
    const bool ok = std::ferror(f) == 0 && read_blocks(f, text);
    std::fclose(f);
    if (!ok) text.clear();
    return ok;
}

}  // namespace corvella
