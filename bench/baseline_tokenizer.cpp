#include "bench/baseline_tokenizer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace corvella::bench {

namespace {

// A, C, G, T, Z as 0..4; any other letter -1.
int base_index(char c) {
    switch (c) {
        case 'A': return 0;
        case 'C': return 1;
        case 'G': return 2;
        case 'T': return 3;
        case 'Z': return 4;
        default: return -1;
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
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::rewind(f);
    if (size < 0) {
        std::fclose(f);
        return -1;
    }
    // One read of the whole file; a NUL after it stops strtol at the end.
    char* text = static_cast<char*>(std::malloc(static_cast<size_t>(size) + 1));
    const size_t got = std::fread(text, 1, static_cast<size_t>(size), f);
    std::fclose(f);
    text[got] = '\0';

    const long length = static_cast<long>(reference.size());
    counts.assign(static_cast<size_t>(length + 1) * 5, 0);
    int64_t occurrences = 0;
    char* p = text;
    char* const end = text + got;
    while (p < end) {
        char* eol = static_cast<char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (eol == nullptr) eol = end;
        if (*p != '>' && *p != 'N') {  // names and comments carry no variants
            char* q = p;
            for (;;) {
                while (q < eol && *q == ' ') ++q;
                if (q >= eol || *q == '\r') break;
                char* digits_end = nullptr;
                const long position = std::strtol(q, &digits_end, 10);
                char* token_end = digits_end;
                while (token_end < eol && *token_end != ' ' && *token_end != '\r') ++token_end;
                q = token_end;
                // A bare position or a position and one letter; ins, del, ranges
                // and missing stretches are longer.
                if (position >= 1 && position <= length && token_end - digits_end <= 1) {
                    const char base =
                        token_end == digits_end ? partner(reference[static_cast<size_t>(position - 1)]) : *digits_end;
                    const int b = base_index(base);
                    if (b >= 0 && (b < 4 || token_end == digits_end)) {
                        ++counts[static_cast<size_t>(position) * 5 + static_cast<size_t>(b)];
                        ++occurrences;
                    }
                }
            }
        }
        p = eol + 1;
    }
    std::free(text);
    return occurrences;
}

}  // namespace corvella::bench
