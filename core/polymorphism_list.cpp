#include "core/polymorphism_list.h"

#include <algorithm>
#include <utility>

#include "core/text_file.h"

namespace corvella {

char transition_base(char reference_letter) {
    switch (reference_letter) {
        case 'A': return 'G';
        case 'G': return 'A';
        case 'C': return 'T';
        case 'T': return 'C';
        default: return 'Z';
    }
}

ListReadResult parse_polymorphism_list(std::string_view text, const std::string& reference) {
    ListReadResult result;
    const auto length = static_cast<int64_t>(reference.size());
    result.code = parse_sample_lists(
        text,
        [&](int32_t position, char base) -> char {
            if (position < 1 || position > length) return 0;
            return base != 0 ? base : transition_base(reference[static_cast<size_t>(position - 1)]);
        },
        result.lists);
    return result;
}

ListReadResult read_and_parsing_file(const std::string& path, const std::string& reference) {
    std::string text;
    if (!read_text_file(path, text)) {
        ListReadResult failed;
        failed.code = -1;
        return failed;
    }
    return parse_polymorphism_list(text, reference);
}

namespace {

// Dense counting: the bases a list reader stores, in character-code order.
constexpr char DENSE_BASES[] = {'A', 'C', 'G', 'T', 'Z'};
constexpr int DENSE_BASE_COUNT = 5;
// Positions up to this bound are counted in a table instead of one ordered-map
// lookup per item; a genome is far shorter, so the bound only guards memory.
constexpr int32_t DENSE_POSITION_LIMIT = 1 << 20;

// The index of each byte in DENSE_BASES, -1 for any other byte.
struct DenseIndex {
    int8_t of[256];
    constexpr DenseIndex() : of{} {
        for (int c = 0; c < 256; ++c) of[c] = -1;
        for (int i = 0; i < DENSE_BASE_COUNT; ++i) of[static_cast<unsigned char>(DENSE_BASES[i])] = static_cast<int8_t>(i);
    }
};
constexpr DenseIndex DENSE_INDEX{};

// Counts every item into `counts` (position * DENSE_BASE_COUNT + base index)
// in one pass; false as soon as an item does not fit the table.
bool count_dense(const Workspace& ws, std::vector<int32_t>& counts) {
    const size_t usual = std::min(ws.ref_sequence.size(), static_cast<size_t>(DENSE_POSITION_LIMIT));
    counts.assign((usual + 1) * DENSE_BASE_COUNT, 0);
    for (size_t i = 0; i < ws.sample_positions.size(); ++i) {
        const std::vector<int32_t>& positions = ws.sample_positions[i];
        const std::string& bases = ws.sample_bases[i];
        for (size_t j = 0; j < positions.size(); ++j) {
            const int32_t p = positions[j];
            const int b = DENSE_INDEX.of[static_cast<unsigned char>(bases[j])];
            if (p < 1 || p > DENSE_POSITION_LIMIT || b < 0) return false;
            const size_t k = static_cast<size_t>(p) * DENSE_BASE_COUNT + static_cast<size_t>(b);
            if (k >= counts.size()) counts.resize((static_cast<size_t>(p) + 1) * DENSE_BASE_COUNT, 0);
            ++counts[k];
        }
    }
    return true;
}

}  // namespace

void build_variant_tally(Workspace& ws) {
    ws.variant_tally.clear();
    std::vector<int32_t> counts;
    if (!count_dense(ws, counts)) {
        for (size_t i = 0; i < ws.sample_positions.size(); ++i) {
            const std::vector<int32_t>& positions = ws.sample_positions[i];
            const std::string& bases = ws.sample_bases[i];
            for (size_t j = 0; j < positions.size(); ++j) ++ws.variant_tally[VariantKey{positions[j], bases[j]}];
        }
        return;
    }
    // The table is already in key order, so every insertion goes at the end.
    for (size_t k = 0; k < counts.size(); ++k) {
        if (counts[k] == 0) continue;
        const VariantKey key{static_cast<int32_t>(k / DENSE_BASE_COUNT), DENSE_BASES[k % DENSE_BASE_COUNT]};
        ws.variant_tally.emplace_hint(ws.variant_tally.end(), key, counts[k]);
    }
}

int32_t load_polymorphism_list(Workspace& ws, const std::string& path) {
    ListReadResult read = read_and_parsing_file(path, ws.ref_sequence);
    if (read.code < 0) return read.code;
    ws.sample_positions = std::move(read.lists.positions);
    ws.sample_bases = std::move(read.lists.bases);
    ws.sample_names = std::move(read.lists.names);
    ws.sample_levels.clear();
    build_variant_tally(ws);
    return read.code;
}

const std::string& sample_name(const Workspace& ws, std::size_t i) {
    static const std::string none;
    const size_t index = ws.sample_names.size() > ws.sample_positions.size() ? i + 1 : i;
    return index < ws.sample_names.size() ? ws.sample_names[index] : none;
}

std::string list_summary(const std::string& path, int32_t entries) {
    const size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name + "  -  " + std::to_string(entries) + " sequences";
}

}  // namespace corvella
