// The polymorphism list format, shared by the two readers of such lists: the
// list reader that feeds the counting windows and the network reader.
//
// A list is made of lines: ">name" lines, comment lines (empty or starting
// with "N", such as the caller's "Numbering Reference") and variant lines
// whose tokens are separated by blanks (" " only; a tab is part of a token).
// Each reader decides which positions it accepts and how a bare position gets
// its base; everything else about the format lives here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_file.h"

namespace corvella {

// The leading decimal number of `text`, read as the C library reads a long:
// leading white space and one sign are allowed, reading stops at the first
// character that is not a digit, no digit at all gives 0. A number that does
// not fit in a signed 32-bit integer gives nothing: it is out of range and
// must never wrap into a small valid position (4294967369 is not 73).
std::optional<int32_t> leading_decimal(std::string_view text);

// What a variant token says before a reader applies its own position rule.
struct VariantToken {
    int32_t position;  // leading decimal number, may be 0 or negative
    char base;         // 'A', 'C', 'G', 'T', or 0 for a bare position (a transition)
};

// Reads one token. Nothing for the forms every reader skips: a token holding
// "ins" or "del", a token whose last character is neither one of A, C, G, T
// nor a digit (16519a, 2000-2002N, 1missing5bp), and a position out of the
// 32-bit range. 309.1C reads as position 309 with base C.
std::optional<VariantToken> read_variant_token(std::string_view token);

enum class ListLineKind { Name, Comment, Variants };
inline ListLineKind list_line_kind(std::string_view line) {
    if (!line.empty() && line[0] == '>') return ListLineKind::Name;
    if (line.empty() || line[0] == 'N') return ListLineKind::Comment;
    return ListLineKind::Variants;
}

// Calls on_token(token) for every blank-separated token of a variant line.
template <class OnToken>
void for_each_token(std::string_view line, OnToken&& on_token) {
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        while (i < n && line[i] == ' ') ++i;
        const size_t start = i;
        while (i < n && line[i] != ' ') ++i;
        if (i > start) on_token(line.substr(start, i - start));
    }
}

// The in-memory form of a list: one entry of positions and bases per variant
// line (parallel, item by item), one name per name line (the whole line with
// its ">"). A fresh value that a reader fills; the workspace takes it only
// when the read succeeded.
struct SampleLists {
    std::vector<std::vector<int32_t>> positions;
    std::vector<std::string> bases;
    std::vector<std::string> names;
};

// Parses a whole list text into `out` (which starts empty). For every token
// that reads, resolve(position, base) returns the base to store, or 0 to skip
// the token (base is 0 for a bare position). Returns the number of variant
// entries, or -2 when there are more variant lines than name lines. A variant
// line whose tokens are all skipped still makes an (empty) entry.
template <class Resolve>
int32_t parse_sample_lists(std::string_view text, Resolve&& resolve, SampleLists& out) {
    for_each_line(text, [&](std::string_view line) {
        switch (list_line_kind(line)) {
            case ListLineKind::Name:
                out.names.emplace_back(line);
                return;
            case ListLineKind::Comment:
                return;
            case ListLineKind::Variants:
                break;
        }
        std::vector<int32_t>& positions = out.positions.emplace_back();
        std::string& bases = out.bases.emplace_back();
        // One item per blank at most (every token the caller writes ends in
        // one): reserving once avoids regrowing every entry as it fills.
        const size_t most = static_cast<size_t>(std::count(line.begin(), line.end(), ' ')) + 1;
        positions.reserve(most);
        bases.reserve(most);
        for_each_token(line, [&](std::string_view token) {
            const std::optional<VariantToken> v = read_variant_token(token);
            if (!v) return;
            const char base = resolve(v->position, v->base);
            if (base == 0) return;
            positions.push_back(v->position);
            bases.push_back(base);
        });
    });
    if (out.names.size() < out.positions.size()) return -2;
    return static_cast<int32_t>(out.positions.size());
}

}  // namespace corvella
