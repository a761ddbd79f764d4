// A synthetic cohort of human mitogenomes for the benchmarks: samples that
// share variants along a haplogroup-like tree and carry a few private ones,
// written either as a polymorphism list (the form the polymorphism caller
// writes) or as an aligned FASTA file (what an aligner writes). Everything is
// drawn from one fixed-seed generator of our own, so a given seed gives the
// same bytes on every machine and standard library.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace corvella::bench {

// splitmix64: tiny, fast and identical everywhere (the standard library's
// distributions are not).
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    // Uniform in [0, n); n > 0.
    uint32_t below(uint32_t n);
    // True with probability percent / 100.
    bool chance(uint32_t percent) { return below(100) < percent; }

private:
    uint64_t state_;
};

// One substitution against the reference: 1-based position and new base.
struct Substitution {
    int32_t position;
    char base;
    bool transversion;  // written with its letter; a transition is the bare position
};

// Tokens the list readers skip: insertions, deletions, ambiguous letters and
// their runs, missing stretches at either end.
struct SkippedFeature {
    enum Kind { Insertion, Deletion, Ambiguous, AmbiguousRun, MissingStart, MissingEnd };
    Kind kind;
    int32_t position;  // first reference position it touches (1 for MissingStart)
    int32_t length;    // letters inserted, deleted, ambiguous or missing
    char letter;       // the inserted letter or the ambiguity code
};

struct Sample {
    std::string name;
    std::vector<Substitution> variants;  // ascending position, one per position
    std::vector<SkippedFeature> skipped;  // ascending position, never on a variant
};

struct CohortParams {
    int32_t samples = 1000;
    uint64_t seed = 20240611;
    // Size of the universe of distinct substitutions every sample draws from;
    // with enough samples the cohort shows about this many distinct variants.
    int32_t distinct = 16000;
    int32_t tree_depth = 6;     // levels below the root
    int32_t tree_branching = 4;
};

// Builds the variant universe and the tree once; each sample is then drawn
// from its own stream (seed and index), so a cohort of any size is written
// one sample at a time and sample k is the same whatever N is.
class CohortGenerator {
public:
    // reference: upper-case letters; positions whose letter is not A, C, G,
    // T never get a substitution.
    CohortGenerator(std::string reference, const CohortParams& params);

    const std::string& reference() const { return reference_; }
    // The name line of the aligned reference, with its ">".
    const std::string& reference_name() const { return reference_name_; }
    int32_t samples() const { return params_.samples; }
    Sample sample(int32_t index) const;

    // Columns of the alignment that follow reference position p and hold
    // insertions; 0 for most positions.
    int32_t insertion_width(int32_t p) const;

private:
    struct Node {
        int32_t first_child = -1;  // children are consecutive
        std::vector<Substitution> defining;
    };
    void build_universe(Rng& rng);
    void build_tree(Rng& rng);
    void add_features(Rng& rng, Sample& s) const;

    std::string reference_;
    std::string reference_name_ = ">rCRS";
    CohortParams params_;
    std::vector<Substitution> universe_;
    std::vector<Node> tree_;
};

// The polymorphism list as the caller writes it: the reference's name line,
// "Numbering Reference", an empty line, then per sample its name line, its
// variant line (every token followed by one blank) and an empty line.
void write_polymorphism_list(std::ostream& out, const CohortGenerator& cohort);

// The variant line of one sample, without its line end.
std::string variant_line(const Sample& sample, const std::string& reference);

// The aligned FASTA file: the reference first, then every sample, lower
// case, 60 letters per line, all rows of one length (insertions open gap
// columns in every other row).
void write_aligned_fasta(std::ostream& out, const CohortGenerator& cohort);

// The samples of that alignment as whole mitogenomes come from GenBank:
// every row without its gaps, no reference record.
void write_unaligned_fasta(std::ostream& out, const CohortGenerator& cohort);

}  // namespace corvella::bench
