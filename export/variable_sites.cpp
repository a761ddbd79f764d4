#include "export/variable_sites.h"

#include <algorithm>
#include <unordered_map>

namespace corvella {

namespace {

// Per distinct key, sorted by key: how many entries hold it (an entry that
// holds it twice is one holder) and how often it occurs over all entries.
std::vector<VariantKeyCount> count_keys(const FlatPositions& sample_positions,
                                        const FlatTexts& sample_bases) {
    struct Count {
        VariantKeyCount count;
        size_t last_entry;  // 1 + the last entry counted as a holder
    };
    // Few distinct keys, many items: count in a hash map, then sort the keys.
    std::unordered_map<uint64_t, Count> counts;
    for (size_t i = 0; i < sample_positions.size(); ++i) {
        const PositionView positions = sample_positions[i];
        const TextView bases = sample_bases[i];
        const size_t items = std::min(positions.size(), bases.size());
        for (size_t j = 0; j < items; ++j) {
            const uint64_t key = pack_variant(positions[j], bases[j]);
            Count& c = counts.try_emplace(key, Count{VariantKeyCount{key, 0, 0}, 0}).first->second;
            c.count.occurrences += 1;
            if (c.last_entry != i + 1) {
                c.last_entry = i + 1;
                c.count.holders += 1;
            }
        }
    }
    std::vector<VariantKeyCount> sorted;
    sorted.reserve(counts.size());
    for (const auto& entry : counts) sorted.push_back(entry.second.count);
    std::sort(sorted.begin(), sorted.end(),
              [](const VariantKeyCount& x, const VariantKeyCount& y) { return x.key < y.key; });
    return sorted;
}

VariantTally tally_of_variable(const std::vector<VariantKeyCount>& counts, size_t entries) {
    VariantTally tally;
    for (const VariantKeyCount& count : counts) {
        if (static_cast<size_t>(count.holders) >= entries) continue;
        const int32_t p = static_cast<int32_t>(static_cast<uint32_t>(count.key >> 8) ^ 0x80000000u);
        const char b = static_cast<char>(count.key & 0xff);
        // Keys arrive in tally order, so each insertion goes at the end.
        tally.emplace_hint(tally.end(), VariantKey{p, b}, count.occurrences);
    }
    return tally;
}

}  // namespace

VariableSiteIndex::VariableSiteIndex(const FlatPositions& sample_positions,
                                     const FlatTexts& sample_bases)
    : key_counts_(count_keys(sample_positions, sample_bases)) {
    entry_keys_.resize(sample_positions.size());
    for (size_t i = 0; i < sample_positions.size(); ++i) {
        const PositionView positions = sample_positions[i];
        const TextView bases = sample_bases[i];
        std::vector<uint64_t>& keys = entry_keys_[i];
        const size_t items = std::min(positions.size(), bases.size());
        keys.reserve(items);
        for (size_t j = 0; j < items; ++j) keys.push_back(pack_variant(positions[j], bases[j]));
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        keys.shrink_to_fit();
    }
}

const VariantKeyCount* VariableSiteIndex::find(uint64_t key) const {
    auto it = std::lower_bound(key_counts_.begin(), key_counts_.end(), key,
                               [](const VariantKeyCount& c, uint64_t k) { return c.key < k; });
    return it != key_counts_.end() && it->key == key ? &*it : nullptr;
}

bool VariableSiteIndex::is_element(size_t i, int32_t p, char b) const {
    if (i >= entry_keys_.size()) return false;
    const std::vector<uint64_t>& keys = entry_keys_[i];
    return std::binary_search(keys.begin(), keys.end(), pack_variant(p, b));
}

bool VariableSiteIndex::variable(int32_t p, char b) const {
    const VariantKeyCount* count = find(pack_variant(p, b));
    const size_t holders = count ? static_cast<size_t>(count->holders) : 0;
    return holders < entry_keys_.size();
}

VariantTally VariableSiteIndex::variable_tally() const {
    return tally_of_variable(key_counts_, entry_keys_.size());
}

VariantTally build_variable_tally(const FlatPositions& sample_positions,
                                  const FlatTexts& sample_bases) {
    return tally_of_variable(count_keys(sample_positions, sample_bases), sample_positions.size());
}

int32_t load_network_reading(Workspace& ws, const std::string& path) {
    SampleLists reading;
    const int32_t n = read_and_parsing_file_network(path, reading);
    if (n < 0) return n;
    VariantTally tally = build_variable_tally(reading.positions, reading.bases);
    ws.sample_positions = std::move(reading.positions);
    ws.sample_bases = std::move(reading.bases);
    ws.sample_names = std::move(reading.names);
    ws.sample_levels.clear();
    ws.sample_indels.clear();
    ws.variant_tally = std::move(tally);
    return n;
}

std::string network_memo_message(int32_t n, size_t m) {
    if (n > NETWORK_MAX_SEQUENCES)
        return "Too many sequences: " + std::to_string(n) + "\nMax: 30000";
    if (m > static_cast<size_t>(NETWORK_MAX_VARIANTS))
        return "Too many different positions: " + std::to_string(m) + "\nMax: 5000";
    return "Data was successfully retrieved.\nThere are " + std::to_string(m) +
           " different positions.";
}

std::string network_label_text(const std::string& file_name, int32_t n) {
    return file_name + "  -  " + std::to_string(n) + " sequences";
}

}  // namespace corvella
