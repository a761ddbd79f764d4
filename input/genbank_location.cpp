// Reading the location texts of GenBank features.
#include <vector>

#include "input/genbank_reader.h"
#include "input/list_tokens.h"

namespace corvella {

namespace {

// Splits at any of `separators`, dropping empty pieces.
std::vector<std::string_view> pieces_of(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(separators, start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

// The leading number of a location piece after an optional "<" or ">"
// (partial ends); 0 when it does not read as a positive 32-bit number.
int32_t piece_number(std::string_view piece) {
    if (!piece.empty() && (piece[0] == '<' || piece[0] == '>')) piece.remove_prefix(1);
    const std::optional<int32_t> n = leading_decimal(piece);
    return n && *n > 0 ? *n : 0;
}

int32_t piece_number_at(const std::vector<std::string_view>& pieces, size_t i) {
    return i < pieces.size() ? piece_number(pieces[i]) : 0;
}

}  // namespace

int32_t position_split(std::string_view location, int32_t& end) {
    const std::vector<std::string_view> pieces = pieces_of(location, ".(");
    size_t i = 0;
    int32_t start = piece_number_at(pieces, i++);
    if (start == 0) start = piece_number_at(pieces, i++);  // past a keyword such as complement
    end = piece_number_at(pieces, i);
    if (start == 0 || end == 0) return 0;
    return start;
}

int32_t position_split_case_join(std::string_view location, int32_t& end) {
    const size_t comma = location.find(',');
    if (comma == std::string_view::npos) return 0;
    std::string_view first = location.substr(0, comma);
    std::string_view second = location.substr(comma + 1);
    second = second.substr(0, second.find(','));
    if (first.find("complement") != std::string_view::npos) {
        // A first part with "complement" but no "(" is no location at all.
        const size_t open = first.find('(');
        if (open == std::string_view::npos) return 0;
        first = first.substr(open);
    }
    const std::vector<std::string_view> keyword_and_range = pieces_of(first, "(");
    if (keyword_and_range.size() < 2) return 0;
    const std::vector<std::string_view> range1 = pieces_of(keyword_and_range[1], ".");
    const std::vector<std::string_view> range2 = pieces_of(second, ".");
    const int32_t a = piece_number_at(range1, 0);
    const int32_t b = piece_number_at(range1, 1);
    const int32_t c = piece_number_at(range2, 0);
    const int32_t d = piece_number_at(range2, 1);
    if (a == 0 || b == 0 || c == 0 || d == 0) return 0;
    // The range that starts higher is the part before the origin.
    if (a > c) {
        end = d;
        return a;
    }
    end = b;
    return c;
}

}  // namespace corvella
