// Global gap-affine alignment of one sequence with the reference, by the
// wavefront aligner WFA2 (exact: the alignment of lowest score, found in time
// that grows with the number of differences, not the product of lengths).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "input/pairwise_rows.h"

namespace wfa {
class WFAlignerGapAffine;
}

namespace corvella {

// Penalties: mismatch 4, gap opening 3, gap extension 2 (a gap of n letters
// costs 3 + 2n), matches free. Two mitogenomes differ in a few dozen places,
// so the score stays in the hundreds. The opening costs less than a mismatch
// so that two one-letter insertions in neighbouring runs (309.1C and 315.1C)
// win over one two-letter insertion and a substitution between them, as the
// community writes them. N and the other ambiguity codes cost as a mismatch.
constexpr int32_t WFA_MISMATCH = 4;
constexpr int32_t WFA_GAP_OPENING = 3;
constexpr int32_t WFA_GAP_EXTENSION = 2;

// One aligner per thread; it keeps its memory from one sequence to the next.
// Uses the bidirectional mode, whose memory grows with the score only.
class GlobalAligner {
public:
    // Alignments that would score above `max_score` are abandoned.
    explicit GlobalAligner(int32_t max_score);
    ~GlobalAligner();
    GlobalAligner(const GlobalAligner&) = delete;
    GlobalAligner& operator=(const GlobalAligner&) = delete;

    // Aligns `sample` end to end with `reference` (both non-empty) into
    // `rows`; false, with `rows` empty, when the score passes the limit.
    bool align(std::string_view reference, std::string_view sample, PairwiseRows& rows);
    int32_t score() const { return score_; }  // penalty of the last alignment

private:
    std::unique_ptr<wfa::WFAlignerGapAffine> aligner_;
    int32_t score_ = 0;
};

}  // namespace corvella
