// One pairwise alignment of a sample with the reference as two gapped rows,
// the form the polymorphism caller reads, and the fixed rule that places an
// insertion or deletion inside a run of equal letters.
#pragma once

#include <cstdint>
#include <string>

namespace corvella {

// Two rows of equal length; "-" is a gap, and no column is a gap in both.
struct PairwiseRows {
    std::string reference;
    std::string sample;
};

// Makes the placement of every insertion and deletion fixed, whatever the
// aligner chose among alignments of equal score:
// - sample letters before the reference's first letter follow its last one
//   instead (the genome is a circle), so they are an insertion after the end;
// - a deletion that only matching letters separate from the start is moved
//   to the start, where it is the missing beginning of the sequence;
// - every other insertion and deletion moves towards the 3' end (to the
//   right on the reference strand) as long as the letter after it equals its
//   first letter and both rows hold that letter there: an extra C in the
//   C run 311-315 follows 315, the loss of one AC of the repeat 515-524 is
//   523-524. Substitutions never move.
void place_indels(PairwiseRows& rows);

// Counts of one alignment, for the summary a person checks.
struct AlignmentStats {
    int32_t columns = 0;      // length of the rows
    int32_t compared = 0;     // columns between the sample's missing ends, without ambiguous ones
    int32_t identical = 0;    // compared columns holding the same letter in both rows
    int32_t differences = 0;  // compared columns that differ: substitutions and gap columns
    int32_t ambiguous = 0;    // columns where either row holds a letter other than A, C, G, T
};

AlignmentStats alignment_stats(const PairwiseRows& rows);

}  // namespace corvella
