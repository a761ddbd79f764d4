// The fixed placement of insertions and deletions in a pairwise alignment,
// and the counts of the summary.
#include "input/pairwise_rows.h"

#include <gtest/gtest.h>

using namespace corvella;

namespace {

PairwiseRows placed(const std::string& reference, const std::string& sample) {
    PairwiseRows rows{reference, sample};
    place_indels(rows);
    return rows;
}

}  // namespace

TEST(PairwiseRows, IndelsMoveToTheEndOfTheirRunThroughMatchesOnly) {
    EXPECT_EQ(placed("AC-CCCT", "ACCCCCT").reference, "ACCCC-T");
    EXPECT_EQ(placed("ACCCCCT", "A-CCCCT").sample, "ACCCC-T");
    // A two-letter repeat unit moves a whole unit at a time: ACAC-- is ACACAC.
    EXPECT_EQ(placed("GACACACG", "G--ACACG").sample, "GACAC--G");
    // A substitution in the run stops the move; substitutions never move.
    const PairwiseRows stopped = placed("AC-CCTCCG", "ACCCCCCCG");
    EXPECT_EQ(stopped.reference, "ACCC-TCCG");
    EXPECT_EQ(stopped.sample, "ACCCCCCCG");
    // A moving gap that meets another of its row becomes one with it.
    EXPECT_EQ(placed("C-C-CCG", "CCCCCCG").reference, "CCCC--G");
    // Two insertions of other letters stay apart.
    EXPECT_EQ(placed("A-C-CG", "AACCCG").reference, "A-CC-G");
    // Nothing to move through at the end of the rows.
    EXPECT_EQ(placed("ACGT-", "ACGTT").reference, "ACGT-");
}

TEST(PairwiseRows, EndsBecomeMissingStretchesAndLettersBeforeTheStartGoAfterTheEnd) {
    // Only matches before the gap, and the letters allow it: the gap is the
    // missing start.
    EXPECT_EQ(placed("GAGTCA", "G--TCA").sample, "--GTCA");
    // A substitution before it: it stays, and moves 3' as any other.
    EXPECT_EQ(placed("GAGTCA", "T--TCA").sample, "T--TCA");
    EXPECT_EQ(placed("TAAAGC", "A--AGC").sample, "AA--GC");
    // The missing end is where the 3' rule puts it.
    EXPECT_EQ(placed("ACTT", "AC-T").sample, "ACT-");
    const PairwiseRows circle = placed("--ACGT", "GGACGT");
    EXPECT_EQ(circle.reference, "ACGT--");
    EXPECT_EQ(circle.sample, "ACGTGG");
}

TEST(PairwiseRows, StatsLeaveOutTheMissingEndsAndAmbiguousColumns) {
    const AlignmentStats s = alignment_stats(PairwiseRows{"GATCNCA-GTT", "--TCNAAGN--"});
    EXPECT_EQ(s.columns, 11);
    EXPECT_EQ(s.ambiguous, 2);     // the N of both rows, the N of the sample
    EXPECT_EQ(s.compared, 5);      // T C C A - : columns 2..8 but the two ambiguous
    EXPECT_EQ(s.identical, 3);
    EXPECT_EQ(s.differences, 2);  // C to A, the inserted A
}
