#include "input/min_level.h"

#include <charconv>
#include <cmath>

namespace corvella {

std::optional<double> read_min_level(std::string_view word) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    // from_chars reads a minus sign; a level has none.
    if (word.empty() || word.front() == '+' || word.front() == '-') return std::nullopt;
    double level = 0;
    const char* end = word.data() + word.size();
    const std::from_chars_result r = std::from_chars(word.data(), end, level);
    if (r.ec != std::errc() || r.ptr != end || !std::isfinite(level) || level < 0 || level > 1) return std::nullopt;
    return level;
}

std::string min_level_refusal(std::string_view word) {
    return "The minimum level takes a number from 0 to 1 (0.9 keeps calls of 90% and more), not " +
           (word.empty() ? std::string("an empty box") : std::string(word)) + ".";
}

std::string min_level_text(double level) {
    // to_chars, unlike printf, writes "." whatever the program's locale.
    char text[32];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text, level, std::chars_format::fixed, 3);
    std::string shown(text, r.ptr);
    while (!shown.empty() && shown.back() == '0') shown.pop_back();
    if (!shown.empty() && shown.back() == '.') shown.pop_back();
    return shown;
}

}  // namespace corvella
