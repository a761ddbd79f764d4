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
