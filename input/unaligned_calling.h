// Polymorphisms of unaligned whole mitogenomes: every record of a FASTA file
// is turned to the reference's strand and start, aligned end to end with the
// loaded reference, its insertions and deletions placed by the fixed rule of
// place_indels, and called by the same caller that reads a multiple
// alignment, so the tokens are exactly the ones an aligned file gives.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "input/fasta_reader.h"
#include "input/pairwise_rows.h"

namespace corvella {

enum class UnalignedOutcome {
    Called,      // aligned and called; `block` holds its tokens
    NoLetters,   // an empty record
    NoBases,     // letters, but not one A, C, G or T
    TooLong,     // more than twice the reference's length
    NotAligned,  // the alignment passed the score limit: nothing like the reference
};

struct UnalignedSample {
    std::string name;
    int32_t length = 0;  // letters of the record
    UnalignedOutcome outcome = UnalignedOutcome::Called;
    bool reverse_complement = false;
    size_t rotation = 0;  // letters moved from the start to the end
    AlignmentStats stats;
    std::string block;  // ">" name, the variant line, an empty line (Called only)
};

struct UnalignedCalling {
    std::vector<UnalignedSample> samples;  // in record order
    // The polymorphism list: ">" and the reference's name, "Numbering
    // Reference", an empty line, then the block of every called sample.
    std::string list_text;
};

// Reports (done, total) on the calling thread while the work goes on, and
// once more at the end.
using AlignProgress = std::function<void(size_t done, size_t total)>;

// Aligns and calls every record against `reference` (upper-case letters, not
// empty). `threads` workers share the records (0: one per core); the result
// does not depend on their number. The records are only read.
UnalignedCalling call_unaligned(const std::string& reference, const std::string& reference_name,
                                const std::vector<FastaRecord>& records, unsigned threads = 0,
                                const AlignProgress& progress = {});

// The summary a person checks, one paragraph per record: letters, aligned
// columns, differences, identity, strand and rotation, and warnings for a
// record unlike a human mitogenome (identity below 90 %, length outside
// 15,000-17,500) or one that could not be aligned.
std::string unaligned_summary(const UnalignedCalling& calling, size_t reference_length);

// Identity of an alignment in tenths of a percent, rounded down (so 89.96 %
// shows as 89.9 and is below 90).
int32_t identity_permille(const AlignmentStats& stats);

}  // namespace corvella
