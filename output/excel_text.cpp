#include "output/excel_text.h"

#include <charconv>
#include <cstdint>

namespace corvella {

namespace {

// Decodes UTF-8 strictly (no overlong forms, no encoded surrogates, nothing
// past U+10FFFF). False at the first fault.
bool decode_utf8(std::string_view bytes, std::u16string* out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            out->push_back(static_cast<char16_t>(b));
            ++i;
            continue;
        }
        int extra;
        uint32_t cp;
        uint32_t min;
        if ((b & 0xE0) == 0xC0) {
            extra = 1, cp = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, cp = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, cp = b & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (n - i <= static_cast<size_t>(extra)) return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char c = p[i + k];
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out->push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out->push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out->push_back(static_cast<char16_t>(cp));
        }
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

}  // namespace

std::u16string excel_text(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    if (decode_utf8(bytes, &out)) return out;
    out.clear();
    for (const char c : bytes) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return out;
}

bool plain_integer(std::string_view text, uint32_t* value) {
    if (text.empty() || text.size() > 9) return false;
    if (text[0] == '0' && text.size() > 1) return false;
    uint32_t v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<uint32_t>(c - '0');
    }
    *value = v;
    return true;
}

bool decimal_number(std::string_view text, double* value) {
    if (text.empty() || text.size() > 24) return false;
    size_t i = text[0] == '-' ? 1 : 0;
    const size_t first_digit = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == first_digit) return false;
    if (i < text.size()) {
        if (text[i] != '.') return false;
        const size_t after_point = ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        if (i == after_point || i != text.size()) return false;
    }
    double v = 0;
    const std::from_chars_result r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
    *value = v;
    return true;
}

std::string sheet_too_large_message(const std::string& path, const std::string& kind, const std::string& limits) {
    return "The report " + path + " does not fit an " + kind + " sheet (at most " + limits +
           "). Save it as a text file instead.";
}

std::string cell_too_long_message(const std::string& path, const std::string& kind, int32_t row, int32_t column) {
    return "The report " + path + " has a cell at row " + std::to_string(row) + ", column " +
           std::to_string(column) + " with more than 32,767 characters, more than an " + kind +
           " cell holds. Save it as a text file instead.";
}

}  // namespace corvella
