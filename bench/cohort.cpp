#include "bench/cohort.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <utility>

namespace corvella::bench {

uint64_t Rng::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

uint32_t Rng::below(uint32_t n) {
    // Multiply-shift: no modulo bias worth caring about at these sizes.
    return static_cast<uint32_t>(((next() >> 32) * static_cast<uint64_t>(n)) >> 32);
}

namespace {

// Poly-C tracts and other places where human mitogenomes carry insertions;
// the alignment opens this many gap columns after the position.
constexpr std::pair<int32_t, int32_t> INSERTION_SITES[] = {
    {309, 2}, {315, 1}, {573, 2}, {8270, 1}, {16193, 1}};

// Features keep this distance from each other and from substitutions, so
// that the caller, reading the alignment back, writes exactly our tokens.
constexpr int32_t MARGIN = 3;

bool is_acgt(char c) { return c == 'A' || c == 'C' || c == 'G' || c == 'T'; }

char partner(char c) {
    switch (c) {
        case 'A': return 'G';
        case 'G': return 'A';
        case 'C': return 'T';
        default: return 'C';
    }
}

char transversion_of(char ref, uint32_t pick) {
    // The two letters of the other chemical class.
    const bool purine = ref == 'A' || ref == 'G';
    const char* options = purine ? "CT" : "AG";
    return options[pick & 1u];
}

uint64_t mix(uint64_t seed, uint64_t index) {
    Rng r(seed ^ (index * 0xD1B54A32D192ED03ULL));
    return r.next();
}

}  // namespace

CohortGenerator::CohortGenerator(std::string reference, const CohortParams& params)
    : reference_(std::move(reference)), params_(params) {
    Rng rng(params_.seed);
    build_universe(rng);
    build_tree(rng);
}

void CohortGenerator::build_universe(Rng& rng) {
    const int32_t length = static_cast<int32_t>(reference_.size());
    // Candidate positions; the D-loop mutates faster, so its positions are
    // listed three times and come up early in the shuffle.
    std::vector<int32_t> candidates;
    int32_t usable = 0;
    for (int32_t p = 1; p <= length; ++p) {
        if (!is_acgt(reference_[static_cast<size_t>(p - 1)])) continue;
        ++usable;
        const bool dloop = p >= 16024 || p <= 576;
        for (int k = dloop ? 3 : 1; k > 0; --k) candidates.push_back(p);
    }
    auto shuffle = [&rng](auto& v) {
        for (size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[rng.below(static_cast<uint32_t>(i))]);
    };
    shuffle(candidates);

    const int32_t wanted = std::max(1, std::min(params_.distinct, usable * 2));
    // About 85 in 100 substitutions are transitions, at most one per position
    // and leaving a tenth of the positions unused.
    const int32_t transitions = std::min(wanted - wanted * 15 / 100, usable - usable / 10);
    std::vector<uint8_t> taken(static_cast<size_t>(length + 1) * 4, 0);
    auto slot = [](int32_t p, char b) {
        return static_cast<size_t>(p) * 4 + (b == 'A' ? 0 : b == 'C' ? 1 : b == 'G' ? 2 : 3);
    };
    for (size_t i = 0; i < candidates.size() && static_cast<int32_t>(universe_.size()) < transitions; ++i) {
        const int32_t p = candidates[i];
        const char b = partner(reference_[static_cast<size_t>(p - 1)]);
        if (taken[slot(p, b)]) continue;
        taken[slot(p, b)] = 1;
        universe_.push_back({p, b, false});
    }
    // Transversions: rejection sampling stays cheap because at most two
    // thirds of their space can be asked for.
    size_t next = 0;
    while (static_cast<int32_t>(universe_.size()) < wanted) {
        const int32_t p = candidates[next++ % candidates.size()];
        const char b = transversion_of(reference_[static_cast<size_t>(p - 1)], rng.below(2));
        if (taken[slot(p, b)]) continue;
        taken[slot(p, b)] = 1;
        universe_.push_back({p, b, true});
    }
    shuffle(universe_);
}

void CohortGenerator::build_tree(Rng& rng) {
    // Level by level; the root's variants are the ones almost every sample
    // carries against this reference.
    tree_.push_back(Node{});
    size_t cursor = 0;
    auto take = [&](Node& n, int32_t count) {
        for (int32_t i = 0; i < count; ++i) {
            n.defining.push_back(universe_[cursor % universe_.size()]);
            ++cursor;
        }
    };
    take(tree_[0], 5);
    size_t level_begin = 0, level_end = 1;
    for (int32_t level = 0; level < params_.tree_depth; ++level) {
        for (size_t i = level_begin; i < level_end; ++i) {
            tree_[i].first_child = static_cast<int32_t>(tree_.size());
            for (int32_t c = 0; c < params_.tree_branching; ++c) {
                Node child;
                take(child, 3 + static_cast<int32_t>(rng.below(5)));
                tree_.push_back(std::move(child));
            }
        }
        level_begin = level_end;
        level_end = tree_.size();
    }
}

int32_t CohortGenerator::insertion_width(int32_t p) const {
    for (const auto& site : INSERTION_SITES)
        if (site.first == p) return site.second;
    return 0;
}

void CohortGenerator::add_features(Rng& rng, Sample& s) const {
    const int32_t length = static_cast<int32_t>(reference_.size());
    auto free_at = [&](int32_t first, int32_t last) {
        if (first < 1 || last > length) return false;
        for (const auto& f : s.skipped) {
            const int32_t f_last = f.kind == SkippedFeature::Insertion ? f.position : f.position + f.length - 1;
            if (first <= f_last + MARGIN && f.position <= last + MARGIN) return false;
        }
        // Ambiguous letters must not meet a reference letter other than
        // A, C, G, T (the caller would not see them as one run).
        for (int32_t p = first; p <= last; ++p)
            if (!is_acgt(reference_[static_cast<size_t>(p - 1)])) return false;
        for (const auto& site : INSERTION_SITES)
            if (first <= site.first + MARGIN && site.first <= last + MARGIN) return false;
        return true;
    };
    auto random_position = [&] { return 1 + static_cast<int32_t>(rng.below(static_cast<uint32_t>(length))); };

    if (rng.chance(3)) {
        const int32_t n = 1 + static_cast<int32_t>(rng.below(200));
        s.skipped.push_back({SkippedFeature::MissingStart, 1, n, '-'});
    }
    if (rng.chance(3)) {
        const int32_t n = 1 + static_cast<int32_t>(rng.below(300));
        if (free_at(length - n + 1, length))
            s.skipped.push_back({SkippedFeature::MissingEnd, length - n + 1, n, '-'});
    }
    if (rng.chance(20)) {
        const auto& site = INSERTION_SITES[rng.below(sizeof INSERTION_SITES / sizeof INSERTION_SITES[0])];
        const int32_t n = 1 + static_cast<int32_t>(rng.below(static_cast<uint32_t>(site.second)));
        bool clear = true;
        for (const auto& f : s.skipped)
            clear = clear && (site.first < f.position - MARGIN || site.first > f.position + f.length + MARGIN);
        if (clear) s.skipped.push_back({SkippedFeature::Insertion, site.first, n, rng.chance(80) ? 'C' : 'A'});
    }
    if (rng.chance(5)) {
        const int32_t n = 1 + static_cast<int32_t>(rng.below(9));
        const int32_t p = random_position();
        if (free_at(p, p + n - 1)) s.skipped.push_back({SkippedFeature::Deletion, p, n, '-'});
    }
    if (rng.chance(10)) {
        const int32_t p = random_position();
        if (free_at(p, p)) s.skipped.push_back({SkippedFeature::Ambiguous, p, 1, "RYKMSWN"[rng.below(7)]});
    }
    if (rng.chance(3)) {
        const int32_t n = 2 + static_cast<int32_t>(rng.below(19));
        const int32_t p = random_position();
        if (free_at(p, p + n - 1)) s.skipped.push_back({SkippedFeature::AmbiguousRun, p, n, 'N'});
    }
    std::sort(s.skipped.begin(), s.skipped.end(),
              [](const SkippedFeature& a, const SkippedFeature& b) { return a.position < b.position; });
}

Sample CohortGenerator::sample(int32_t index) const {
    Rng rng(mix(params_.seed, static_cast<uint64_t>(index)));
    Sample s;
    s.name = "S" + std::to_string(index + 1);
    if (rng.below(1000) == 0) return s;  // identical to the reference

    std::map<int32_t, Substitution> by_position;
    auto carry = [&](const std::vector<Substitution>& vs) {
        for (const auto& v : vs) by_position[v.position] = v;  // the later, deeper one wins
    };
    // A few samples sit on the reference's own branch and lack the root's variants.
    if (!rng.chance(2)) carry(tree_[0].defining);
    int32_t node = 0;
    while (tree_[static_cast<size_t>(node)].first_child >= 0) {
        if (node != 0 && rng.chance(5)) break;  // assigned to an inner clade
        // Geometric weights: the first child of every node is the common one.
        int32_t child = 0;
        while (child + 1 < params_.tree_branching && rng.chance(50)) ++child;
        node = tree_[static_cast<size_t>(node)].first_child + child;
        carry(tree_[static_cast<size_t>(node)].defining);
    }
    const int32_t privates = static_cast<int32_t>(rng.below(9));
    for (int32_t i = 0; i < privates; ++i) {
        const auto& v = universe_[rng.below(static_cast<uint32_t>(universe_.size()))];
        by_position[v.position] = v;
    }

    add_features(rng, s);
    for (const auto& [p, v] : by_position) {
        bool clear = true;
        for (const auto& f : s.skipped) {
            const int32_t last = f.kind == SkippedFeature::Insertion ? f.position : f.position + f.length - 1;
            clear = clear && (p < f.position - MARGIN || p > last + MARGIN);
        }
        if (clear) s.variants.push_back(v);
    }
    return s;
}

std::string variant_line(const Sample& sample, const std::string& reference) {
    std::string line;
    const SkippedFeature* missing_end = nullptr;
    auto v = sample.variants.begin();
    auto put_variants_before = [&](int32_t p) {
        for (; v != sample.variants.end() && v->position < p; ++v) {
            line += std::to_string(v->position);
            if (v->transversion) line += v->base;
            line += ' ';
        }
    };
    for (const auto& f : sample.skipped) {
        put_variants_before(f.position);
        const std::string p = std::to_string(f.position);
        switch (f.kind) {
            case SkippedFeature::MissingStart:
                line += "1missing" + std::to_string(f.length) + "bp ";
                break;
            case SkippedFeature::MissingEnd:
                missing_end = &f;
                break;
            case SkippedFeature::Insertion:
                line += p + "ins" + std::string(static_cast<size_t>(f.length), f.letter) + ' ';
                break;
            case SkippedFeature::Deletion:
                line += p + "del" + reference.substr(static_cast<size_t>(f.position - 1), static_cast<size_t>(f.length)) + ' ';
                break;
            case SkippedFeature::Ambiguous:
                line += p + f.letter + ' ';
                break;
            case SkippedFeature::AmbiguousRun:
                line += p + '-' + std::to_string(f.position + f.length - 1) + f.letter + ' ';
                break;
        }
    }
    put_variants_before(static_cast<int32_t>(reference.size()) + 1);
    if (line.empty() && !missing_end) line = "0 ";
    if (missing_end)
        line += std::to_string(missing_end->position) + "missing" + std::to_string(missing_end->length) + "bp ";
    return line;
}

void write_polymorphism_list(std::ostream& out, const CohortGenerator& cohort) {
    std::string block = cohort.reference_name() + "\nNumbering Reference\n\n";
    for (int32_t i = 0; i < cohort.samples(); ++i) {
        const Sample s = cohort.sample(i);
        block += '>';
        block += s.name;
        block += '\n';
        block += variant_line(s, cohort.reference());
        block += "\n\n";
        if (block.size() > (1u << 20)) {
            out << block;
            block.clear();
        }
    }
    out << block;
}

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void write_wrapped(std::ostream& out, const std::string& name, const std::string& row) {
    std::string text = name + '\n';
    for (size_t i = 0; i < row.size(); i += 60) {
        text.append(row, i, 60);
        text += '\n';
    }
    out << text;
}

// Calls on_row(name, row) for the reference's row and then every sample's,
// all rows of one length.
template <class OnRow>
void for_each_aligned_row(const CohortGenerator& cohort, OnRow&& on_row) {
    const std::string& ref = cohort.reference();
    const int32_t length = static_cast<int32_t>(ref.size());
    // Column of every reference position in the alignment.
    std::vector<size_t> column(static_cast<size_t>(length) + 2);
    std::string ref_row;
    for (int32_t p = 1; p <= length; ++p) {
        column[static_cast<size_t>(p)] = ref_row.size();
        ref_row += lower(ref[static_cast<size_t>(p - 1)]);
        ref_row.append(static_cast<size_t>(cohort.insertion_width(p)), '-');
    }
    column[static_cast<size_t>(length) + 1] = ref_row.size();
    on_row(cohort.reference_name(), ref_row);
    for (int32_t i = 0; i < cohort.samples(); ++i) {
        const Sample s = cohort.sample(i);
        std::string row = ref_row;
        for (const auto& v : s.variants) row[column[static_cast<size_t>(v.position)]] = lower(v.base);
        for (const auto& f : s.skipped) {
            const size_t first = column[static_cast<size_t>(f.position)];
            switch (f.kind) {
                case SkippedFeature::Insertion:
                    for (int32_t k = 0; k < f.length; ++k) row[first + 1 + static_cast<size_t>(k)] = lower(f.letter);
                    break;
                case SkippedFeature::Ambiguous:
                case SkippedFeature::AmbiguousRun:
                case SkippedFeature::Deletion:
                case SkippedFeature::MissingStart:
                case SkippedFeature::MissingEnd: {
                    const size_t end = column[static_cast<size_t>(f.position + f.length)];
                    const char fill = (f.kind == SkippedFeature::Ambiguous || f.kind == SkippedFeature::AmbiguousRun)
                                          ? lower(f.letter)
                                          : '-';
                    for (size_t c = first; c < end; ++c)
                        if (fill == '-' || ref_row[c] != '-') row[c] = fill;
                    break;
                }
            }
        }
        on_row('>' + s.name, row);
    }
}

}  // namespace

void write_aligned_fasta(std::ostream& out, const CohortGenerator& cohort) {
    for_each_aligned_row(cohort, [&](const std::string& name, const std::string& row) { write_wrapped(out, name, row); });
}

void write_unaligned_fasta(std::ostream& out, const CohortGenerator& cohort) {
    bool reference = true;
    for_each_aligned_row(cohort, [&](const std::string& name, std::string row) {
        if (reference) {
            reference = false;
            return;
        }
        row.erase(std::remove(row.begin(), row.end(), '-'), row.end());
        write_wrapped(out, name, row);
    });
}

}  // namespace corvella::bench
