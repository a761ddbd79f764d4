#include "input/list_tokens.h"

#include <atomic>
#include <cstdlib>
#include <thread>

namespace corvella {

std::optional<int32_t> leading_decimal(std::string_view text) {
    const detail::Decimal d = detail::scan_decimal(text);
    if (!detail::fits_int32(d.value)) return std::nullopt;
    return static_cast<int32_t>(d.value);
}

namespace {

char upper_letter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool is_acgt(char c) { return c == 'A' || c == 'C' || c == 'G' || c == 'T'; }

// The plain decimal number at the start of `text` (digits only, at most
// nine), and the rest.
std::optional<int32_t> take_number(std::string_view& text) {
    size_t i = 0;
    int32_t value = 0;
    while (i < text.size() && i < 9 && detail::is_digit(text[i])) value = value * 10 + (text[i++] - '0');
    if (i == 0 || (i < text.size() && detail::is_digit(text[i]))) return std::nullopt;
    text.remove_prefix(i);
    return value;
}

}  // namespace

std::optional<Indel> read_indel_token(std::string_view token, std::string_view reference) {
    const std::optional<int32_t> first = take_number(token);
    if (!first) return std::nullopt;
    const auto length = static_cast<int64_t>(reference.size());
    if (!token.empty() && token[0] == '.') {
        // 309.1C: the letters inserted after 309, the first of them at 309.1.
        token.remove_prefix(1);
        if (!take_number(token) || token.empty() || *first < 1 || *first > length) return std::nullopt;
        for (const char c : token)
            if (!is_acgt(c)) return std::nullopt;
        return Indel{*first, 0, std::string(token)};
    }
    std::optional<int32_t> last;
    if (!token.empty() && (token[0] == '-' || token[0] == '_')) {
        token.remove_prefix(1);
        last = take_number(token);
        if (!last || *last < *first) return std::nullopt;
    }
    const bool insertion = token.substr(0, 3) == "ins";
    if (!insertion && token.substr(0, 3) != "del") return std::nullopt;
    token.remove_prefix(3);
    std::string letters;
    for (const char c : token) {
        const char u = upper_letter(c);
        if (!is_acgt(u) && u != 'N') return std::nullopt;
        letters += u;
    }
    Indel indel;
    indel.position = *first;
    if (insertion) {
        // "310_311insC": a range names the two letters the insertion lies between.
        if (last && *last != *first + 1) return std::nullopt;
        if (letters.empty() || letters.find('N') != std::string::npos) return std::nullopt;
        if (*first < 1 || *first > length) return std::nullopt;
        indel.inserted = letters;
        return indel;
    }
    const int64_t count = last ? int64_t{*last} - *first + 1 : letters.empty() ? 1 : static_cast<int64_t>(letters.size());
    if (!letters.empty() && static_cast<int64_t>(letters.size()) != count) return std::nullopt;
    if (*first < 1 || *first + count - 1 > length) return std::nullopt;
    for (size_t k = 0; k < letters.size(); ++k) {
        const char r = reference[static_cast<size_t>(*first - 1) + k];
        if (letters[k] != r && letters[k] != 'N' && r != 'N') return std::nullopt;
    }
    indel.deleted = static_cast<int32_t>(count);
    return indel;
}

unsigned reading_threads() {
    if (const char* wanted = std::getenv("CORVELLA_THREADS")) {
        char* end = nullptr;
        const long n = std::strtol(wanted, &end, 10);
        if (end != wanted && *end == '\0' && n >= 1 && n <= 1024) return static_cast<unsigned>(n);
    }
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

std::vector<std::string_view> split_list_text(std::string_view text, std::size_t pieces) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t k = 1; k < pieces; ++k) {
        // The first name line at or after the k-th even cut.
        const std::size_t even = std::max(start + 1, text.size() / pieces * k);
        const std::size_t line_end = text.find("\n>", even - 1);
        if (line_end == std::string_view::npos) break;
        const std::size_t cut = line_end + 1;  // the ">" that begins the name line
        out.push_back(text.substr(start, cut - start));
        start = cut;
    }
    out.push_back(text.substr(start));
    return out;
}

void run_tasks(std::size_t tasks, unsigned threads, const std::function<void(std::size_t)>& task) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t k = next++; k < tasks; k = next++) task(k);
    };
    const std::size_t helpers = std::min<std::size_t>(threads == 0 ? 1 : threads, tasks) - (tasks == 0 ? 0 : 1);
    std::vector<std::thread> pool;
    pool.reserve(helpers);
    for (std::size_t t = 0; t < helpers; ++t) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
}

}  // namespace corvella
