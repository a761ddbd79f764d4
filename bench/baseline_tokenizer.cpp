#include "bench/baseline_tokenizer.h"

#include <cstdio>

namespace corvella::bench {

namespace {

int base_index(char c) {
    switch (c) {
        case 'A': return 0;
        case 'C': return 1;
        case 'G': return 2;
        case 'T': return 3;
        default: return 4;
    }
}

char partner(char c) {
    switch (c) {
        case 'A': return 'G';
        case 'G': return 'A';
        case 'C': return 'T';
        case 'T': return 'C';
        default: return 'Z';
    }
}

}  // namespace

int64_t baseline_tally(const std::string& path, const std::string& reference, std::vector<int32_t>& counts) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return -1;
    // One read into a buffer of the file's size, as the product's reader does.
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::rewind(f);
    std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
    text.resize(std::fread(text.data(), 1, text.size(), f));
    std::fclose(f);

    const int64_t length = static_cast<int64_t>(reference.size());
    counts.assign(static_cast<size_t>(length + 1) * 5, 0);
    int64_t occurrences = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char first = *p;
        if (first == '>' || first == 'N' || first == '\n' || first == '\r') {
            while (p < end && *p != '\n') ++p;
            ++p;
            continue;
        }
        // A variant line: tokens separated by blanks.
        while (p < end && *p != '\n') {
            while (p < end && *p == ' ') ++p;
            const char* start = p;
            int64_t position = 0;
            while (p < end && *p >= '0' && *p <= '9') position = position * 10 + (*p++ - '0');
            const char* digits_end = p;
            while (p < end && *p != ' ' && *p != '\n' && *p != '\r') ++p;
            const char* token_end = p;
            if (p < end && *p == '\r') ++p;
            if (token_end == start || position < 1 || position > length) continue;
            char base;
            if (token_end == digits_end)
                base = partner(reference[static_cast<size_t>(position - 1)]);
            else if (token_end - digits_end == 1)
                base = *digits_end;
            else
                continue;  // ins, del, ranges, missing stretches
            const int b = base_index(base);
            if (b == 4 && base != 'Z') continue;  // ambiguous letters
            ++counts[static_cast<size_t>(position * 5 + b)];
            ++occurrences;
        }
        ++p;
    }
    return occurrences;
}

}  // namespace corvella::bench
