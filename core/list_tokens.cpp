#include "core/list_tokens.h"

#include <limits>

namespace corvella {

namespace {

bool is_c_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int32_t> leading_decimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && is_c_space(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate in 64 bits and stop growing once past the 32-bit range, so
    // any number of digits is read without overflow.
    constexpr int64_t LIMIT = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t value = 0;
    for (; i < text.size() && is_digit(text[i]); ++i) {
        if (value <= LIMIT) value = value * 10 + (text[i] - '0');
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<VariantToken> read_variant_token(std::string_view token) {
    if (token.empty()) return std::nullopt;
    if (token.find("ins") != std::string_view::npos || token.find("del") != std::string_view::npos)
        return std::nullopt;
    const char last = token.back();
    char base = 0;
    if (last == 'A' || last == 'C' || last == 'G' || last == 'T') {
        base = last;
    } else if (!is_digit(last)) {
        return std::nullopt;
    }
    const std::optional<int32_t> position = leading_decimal(token);
    if (!position) return std::nullopt;
    return VariantToken{*position, base};
}

}  // namespace corvella
