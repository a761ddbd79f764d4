#include "input/polymorphism_list.h"

#include <algorithm>
#include <utility>

#include "input/mapped_file.h"

namespace corvella {

namespace {

// Inline for the list reader, which asks it for every bare position: the
// library is position-independent code, where a call to the exported
// function below is not inlined.
inline char transition_of(char reference_letter) {
    switch (reference_letter) {
        case 'A': return 'G';
        case 'G': return 'A';
        case 'C': return 'T';
        case 'T': return 'C';
        default: return 'Z';
    }
}

}  // namespace

char transition_base(char reference_letter) { return transition_of(reference_letter); }

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

// Counts (position, base) items in a table (position * DENSE_BASE_COUNT +
// base index); `fits` turns false at the first item the table cannot hold.
struct DenseCount {
    std::vector<int32_t> counts;  // sized at the first item: a piece without items costs nothing
    size_t usual_size = 0;
    bool fits = true;

    explicit DenseCount(size_t reference_length = 0)
        : usual_size((std::min(reference_length, static_cast<size_t>(DENSE_POSITION_LIMIT)) + 1) * DENSE_BASE_COUNT) {}

    void operator()(int32_t p, char base) {
        const int b = DENSE_INDEX.of[static_cast<unsigned char>(base)];
        if (p < 1 || p > DENSE_POSITION_LIMIT || b < 0) {
            fits = false;
            return;
        }
        const size_t k = static_cast<size_t>(p) * DENSE_BASE_COUNT + static_cast<size_t>(b);
        if (k >= counts.size()) counts.resize(std::max(usual_size, (static_cast<size_t>(p) + 1) * DENSE_BASE_COUNT), 0);
        ++counts[k];
    }
    void merge(const DenseCount& o) {
        fits = fits && o.fits;
        if (o.counts.size() > counts.size()) counts.resize(o.counts.size(), 0);
        for (size_t k = 0; k < o.counts.size(); ++k) counts[k] += o.counts[k];
    }
    // The table is already in key order, so every insertion goes at the end.
    VariantTally tally() const {
        VariantTally t;
        for (size_t k = 0; k < counts.size(); ++k) {
            if (counts[k] == 0) continue;
            const VariantKey key{static_cast<int32_t>(k / DENSE_BASE_COUNT), DENSE_BASES[k % DENSE_BASE_COUNT]};
            t.emplace_hint(t.end(), key, counts[k]);
        }
        return t;
    }
};

// The base a token is stored with: a position inside the reference keeps its
// base, a bare one takes the transition partner of the reference letter;
// 0 skips the token.
struct StoredBase {
    const std::string& reference;
    char operator()(int32_t position, char base) const {
        if (position < 1 || static_cast<size_t>(position) > reference.size()) return 0;
        return base != 0 ? base : transition_of(reference[static_cast<size_t>(position - 1)]);
    }
};

}  // namespace

int32_t parse_polymorphism_entries(std::string_view text, const std::string& reference, SampleLists& out,
                                   const ListSplit& split) {
    return parse_sample_lists(text, StoredBase{reference}, out, split, static_cast<NoCount*>(nullptr), reference);
}

ListReadResult parse_polymorphism_list(std::string_view text, const std::string& reference, const ListSplit& split) {
    ListReadResult result;
    DenseCount count(reference.size());
    result.code = parse_sample_lists(text, StoredBase{reference}, result.lists, split, &count, reference);
    // Every stored item lies in 1..length with one of the dense bases, so the
    // table holds them all unless the reference is longer than any genome.
    if (result.code >= 0)
        result.tally = count.fits ? count.tally() : tally_of_lists(result.lists.positions, result.lists.bases, reference.size());
    return result;
}

ListReadResult read_and_parsing_file(const std::string& path, const std::string& reference, const ListSplit& split) {
    FileBytes file;
    if (!file.open(path)) {
        ListReadResult failed;
        failed.code = -1;
        return failed;
    }
    return parse_polymorphism_list(file.text(), reference, releasing(file, split));
}

namespace {

// Counts every item of the store, a range of samples per task.
DenseCount count_dense(const FlatPositions& positions_of, const FlatTexts& bases_of, size_t reference_length) {
    const size_t n = positions_of.size();
    const unsigned threads = reading_threads();
    const size_t tasks = n < 65536 ? 1 : std::min<size_t>(n / 65536, size_t{4} * threads);
    std::vector<DenseCount> counts(tasks, DenseCount(reference_length));
    run_tasks(tasks, threads, [&](size_t k) {
        DenseCount& c = counts[k];
        for (size_t i = n * k / tasks; i < n * (k + 1) / tasks && c.fits; ++i) {
            const PositionView positions = positions_of[i];
            const TextView bases = i < bases_of.size() ? bases_of[i] : TextView();
            const size_t items = std::min(positions.size(), bases.size());
            for (size_t j = 0; j < items; ++j) c(positions[j], bases[j]);
        }
    });
    DenseCount total(reference_length);
    for (const DenseCount& c : counts) total.merge(c);
    return total;
}

}  // namespace

VariantTally tally_of_lists(const FlatPositions& positions_of, const FlatTexts& bases_of, size_t reference_length) {
    const DenseCount dense = count_dense(positions_of, bases_of, reference_length);
    if (dense.fits) return dense.tally();
    VariantTally tally;
    for (size_t i = 0; i < positions_of.size(); ++i) {
        const PositionView positions = positions_of[i];
        const TextView bases = i < bases_of.size() ? bases_of[i] : TextView();
        const size_t items = std::min(positions.size(), bases.size());
        for (size_t j = 0; j < items; ++j) ++tally[VariantKey{positions[j], bases[j]}];
    }
    return tally;
}

void build_variant_tally(Workspace& ws) {
    ws.variant_tally = tally_of_lists(ws.sample_positions, ws.sample_bases, ws.ref_sequence.size());
}

int32_t load_polymorphism_list(Workspace& ws, const std::string& path) {
    ListReadResult read = read_and_parsing_file(path, ws.ref_sequence);
    if (read.code < 0) return read.code;
    ws.sample_positions = std::move(read.lists.positions);
    ws.sample_bases = std::move(read.lists.bases);
    ws.sample_names = std::move(read.lists.names);
    ws.sample_levels.clear();
    ws.sample_indels = std::move(read.lists.indels);
    ws.variant_tally = std::move(read.tally);
    return read.code;
}

TextView sample_name(const Workspace& ws, std::size_t i) {
    const size_t index = ws.sample_names.size() > ws.sample_positions.size() ? i + 1 : i;
    return index < ws.sample_names.size() ? ws.sample_names[index] : TextView();
}

std::string list_summary(const std::string& path, int32_t entries) {
    const size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name + "  -  " + std::to_string(entries) + " sequences";
}

}  // namespace corvella
