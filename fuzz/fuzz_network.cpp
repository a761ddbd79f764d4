// The network reader, the variable-site tally (checked against the plain
// definition: a variant is variable when some entry lacks it) and the
// network data file built from them, kept to a size that runs quickly.
#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "export/network_file.h"
#include "export/network_reading.h"
#include "export/variable_sites.h"
#include "fuzz/fuzz_check.h"

namespace {

// Bounds the network file (entries times variants) so one input stays fast.
constexpr size_t MAX_NETWORK_CELLS = 1 << 18;

corvella::VariantTally plain_variable_tally(const corvella::SampleLists& lists) {
    std::vector<std::set<corvella::VariantKey>> held(lists.positions.size());
    std::map<corvella::VariantKey, int32_t> occurrences;
    for (size_t i = 0; i < lists.positions.size(); ++i)
        for (size_t j = 0; j < lists.positions[i].size(); ++j) {
            const corvella::VariantKey key{lists.positions[i][j], lists.bases[i][j]};
            held[i].insert(key);
            ++occurrences[key];
        }
    corvella::VariantTally tally;
    for (const auto& entry : occurrences) {
        const corvella::VariantKey& key = entry.first;
        const bool everyone = std::all_of(held.begin(), held.end(), [&](const auto& s) { return s.count(key) > 0; });
        if (!everyone) tally[key] = entry.second;
    }
    return tally;
}

size_t count_lines(std::string_view text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    corvella::SampleLists lists;
    const int32_t n = corvella::parse_network_list(text, lists);
    if (n < 0) {
        FUZZ_CHECK(n == corvella::NETWORK_READ_BAD_FORMAT);
        return 0;
    }
    FUZZ_CHECK(static_cast<size_t>(n) == lists.positions.size());
    for (size_t i = 0; i < lists.positions.size(); ++i) {
        FUZZ_CHECK(lists.positions[i].size() == lists.bases[i].size());
        for (int32_t p : lists.positions[i]) FUZZ_CHECK(p >= 1);
        for (char b : lists.bases[i]) FUZZ_CHECK(b == 'A' || b == 'C' || b == 'G' || b == 'T' || b == 'Z');
    }

    const corvella::VariantTally tally = corvella::build_variable_tally(lists.positions, lists.bases);
    FUZZ_CHECK(tally == plain_variable_tally(lists));

    const size_t v = tally.size();
    if ((v + 1) * (lists.positions.size() + 1) > MAX_NETWORK_CELLS) return 0;
    const std::string file = corvella::build_network_text(lists.positions, lists.bases, tally);
    // Six header lines, a line per entry, an empty line, and the weights.
    const size_t weight_lines = v / corvella::NETWORK_WEIGHTS_PER_LINE + 1;
    FUZZ_CHECK(count_lines(file) == corvella::NETWORK_HEADER_LINES + lists.positions.size() + 1 + weight_lines);
    size_t pos = 0;
    for (int r = 0; r < corvella::NETWORK_HEADER_LINES; ++r) {
        const size_t end = file.find('\n', pos);
        FUZZ_CHECK(end - pos == 7 + v);
        pos = end + 1;
    }
    for (size_t i = 0; i < lists.positions.size(); ++i) {
        const size_t end = file.find('\n', pos);
        const std::string_view row(file.data() + pos, end - pos);
        FUZZ_CHECK(row.size() >= 7 + v + 3);
        const std::string_view marks = row.substr(row.size() - 3 - v, v);
        // Entry i marks exactly the variable variants it holds.
        size_t column = 0;
        for (const auto& entry : tally) {
            bool holds = false;
            for (size_t j = 0; j < lists.positions[i].size() && !holds; ++j)
                holds = lists.positions[i][j] == entry.first.position && lists.bases[i][j] == entry.first.base;
            FUZZ_CHECK(marks[column++] == (holds ? '1' : '0'));
        }
        pos = end + 1;
    }
    return 0;
}
