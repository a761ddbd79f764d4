#include "export/network_reading.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

namespace corvella {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The blanks a C long conversion skips before the number.
bool is_c_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The token's leading decimal number, read as a C long conversion reads it
// (leading white space and a sign allowed, stops at the first non-digit).
// Returns 0 when there is no number, and also when the number does not fit in
// 32 bits: such a position is out of range and is never wrapped into one that
// looks valid.
int32_t leading_position(std::string_view token) {
    size_t i = 0;
    while (i < token.size() && is_c_space(token[i])) ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < token.size() && is_digit(token[i]); ++i) {
        value = value * 10 + (token[i] - '0');
        if (value > std::numeric_limits<int32_t>::max()) return 0;
    }
    return negative ? 0 : static_cast<int32_t>(value);
}

// Adds the token's variant to the entry, or skips the token.
void read_token(std::string_view token, std::vector<int32_t>& positions, std::string& bases) {
    if (token.find("ins") != std::string_view::npos || token.find("del") != std::string_view::npos)
        return;
    const char last = token.back();
    char base;
    if (last == 'A' || last == 'C' || last == 'G' || last == 'T') {
        base = last;
    } else if (is_digit(last)) {
        base = 'Z';  // a bare position: the base the data does not give
    } else {
        return;
    }
    const int32_t position = leading_position(token);
    if (position < 1) return;
    positions.push_back(position);
    bases.push_back(base);
}

void read_variant_line(std::string_view line, SampleLists& out) {
    std::vector<int32_t> positions;
    std::string bases;
    size_t i = 0;
    while (i < line.size()) {
        // Only the blank separates; a tab belongs to the token.
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        size_t end = line.find(' ', i);
        if (end == std::string_view::npos) end = line.size();
        read_token(line.substr(i, end - i), positions, bases);
        i = end;
    }
    out.sample_positions.push_back(std::move(positions));
    out.sample_bases.push_back(std::move(bases));
}

}  // namespace

int32_t parse_network_list(std::string_view text, SampleLists& out) {
    out = SampleLists{};
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = next;

        if (!line.empty() && line.front() == '>') {
            out.sample_names.emplace_back(line);
        } else if (line.empty() || line.front() == 'N') {
            continue;  // comment line, such as "Numbering Reference"
        } else {
            read_variant_line(line, out);
        }
    }
    if (out.sample_names.size() < out.sample_positions.size()) return NETWORK_READ_BAD_FORMAT;
    if (out.sample_positions.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return NETWORK_READ_BAD_FORMAT;
    return static_cast<int32_t>(out.sample_positions.size());
}

int32_t read_and_parsing_file_network(const std::string& path, SampleLists& out) {
    out = SampleLists{};
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return NETWORK_READ_CANNOT_OPEN;
    std::string text;
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, got);
    // A folder opens on some systems but cannot be read.
    if (std::ferror(file.get())) return NETWORK_READ_CANNOT_OPEN;
    return parse_network_list(text, out);
}

}  // namespace corvella
