// How long a large per-position workbook takes: 50,000 rows of eight
// columns, mostly distinct texts, must be written well under a second.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "output/workbook_writer.h"

int main() {
    constexpr int ROWS = 50000;
    constexpr double TARGET_MS = 1000.0;
    std::vector<corvella::Cell> cells;
    cells.reserve(ROWS * 8);
    const char* headers[] = {"Position", "Gene", "Codon", "From", "To", "AA change", "Syn", "Occurrences"};
    for (int c = 0; c < 8; ++c) cells.push_back({1, c + 1, headers[c]});
    for (int r = 2; r <= ROWS; ++r) {
        cells.push_back({r, 1, std::to_string(r % 16569 + 1) + (r % 7 ? "" : "A")});
        cells.push_back({r, 2, "ND" + std::to_string(r % 6 + 1)});
        cells.push_back({r, 3, std::to_string(r % 600)});
        cells.push_back({r, 4, "GCU"});
        cells.push_back({r, 5, "ACU"});
        cells.push_back({r, 6, "sample_" + std::to_string(r)});
        cells.push_back({r, 7, r % 2 ? "Yes" : "No"});
        cells.push_back({r, 8, std::to_string(r % 40)});
    }
    const std::string path = (std::filesystem::temp_directory_path() / "corvella-bench.xls").string();
    const auto t0 = std::chrono::steady_clock::now();
    const corvella::WriteResult r = corvella::WorkbookWriter(path, cells);
    const auto t1 = std::chrono::steady_clock::now();
    std::filesystem::remove(path);
    const double ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
    std::printf("workbook: %d rows x 8 columns in %.1f ms (target < %.0f ms)%s\n", ROWS, ms, TARGET_MS,
                r.ok ? "" : (" FAILED: " + r.error).c_str());
    return r.ok && ms < TARGET_MS ? 0 : 1;
}
