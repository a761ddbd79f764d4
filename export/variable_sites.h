// The variable-site table: the sample lists of a network reading and the
// variant tally rebuilt from the variants that at least one entry lacks.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/workspace.h"
#include "export/network_reading.h"

namespace corvella {

// Limits of the network data file. They choose the window's message only;
// the transform still runs past them.
constexpr int32_t NETWORK_MAX_SEQUENCES = 30000;
constexpr int32_t NETWORK_MAX_VARIANTS = 5000;

// Packs (position, base) into one integer whose order is the tally's order
// (position ascending, then the base's character code).
inline uint64_t pack_variant(int32_t p, char b) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(p) ^ 0x80000000u) << 8) |
           static_cast<unsigned char>(b);
}

// One distinct variant of the sample lists (packed with pack_variant): how
// many entries hold it and how often it occurs over all entries.
struct VariantKeyCount {
    uint64_t key;
    int32_t holders;
    int32_t occurrences;
};

// Answers "does entry i hold (p, b)" and "is (p, b) variable" for fixed
// sample lists without scanning every entry for every question: one sorted
// set of (position, base) per entry and one count of holding entries per key.
// Built in O(items log items); each question is a binary search.
class VariableSiteIndex {
public:
    VariableSiteIndex(const FlatPositions& sample_positions,
                      const FlatTexts& sample_bases);

    // True when entry i holds an item (p, b); the base is compared as read,
    // so "Z" matches only "Z". False for an entry index out of range.
    bool is_element(size_t i, int32_t p, char b) const;

    // True when at least one entry does not hold (p, b); false when every
    // entry holds it and false when there are no entries. An entry that
    // holds the variant twice is one holder.
    bool variable(int32_t p, char b) const;

    size_t entry_count() const { return entry_keys_.size(); }

    // Occurrences of every variable variant over all entries, each key once.
    VariantTally variable_tally() const;

private:
    std::vector<VariantKeyCount> key_counts_;        // sorted by key
    std::vector<std::vector<uint64_t>> entry_keys_;  // per entry: sorted, no repeats
    const VariantKeyCount* find(uint64_t key) const;
};

// The tally of the variable variants: for each variant that at least one
// entry lacks, the number of its occurrences over all entries.
VariantTally build_variable_tally(const FlatPositions& sample_positions,
                                  const FlatTexts& sample_bases);

// Reads the polymorphism list at `path` for the network export. On success
// (result >= 0, the number of entries) the workspace's sample lists are
// replaced by the reading and its variant tally by the variable variants. On
// NETWORK_READ_CANNOT_OPEN or NETWORK_READ_BAD_FORMAT the workspace is left
// exactly as it was.
int32_t load_network_reading(Workspace& ws, const std::string& path);

// The window's message after a successful read of n entries that left m
// variable variants in the tally: the sequence limit is tested first.
std::string network_memo_message(int32_t n, size_t m);

// The caption naming the data: file name, "  -  ", n, " sequences".
std::string network_label_text(const std::string& file_name, int32_t n);

}  // namespace corvella
