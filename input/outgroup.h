// The outgroup of the McDonald-Kreitman test: one whole mitogenome of another
// species or a reconstructed ancestor, FASTA or GenBank, turned to the
// reference's strand and start and aligned end to end with the reference by
// the aligner of the unaligned input. What is kept is its letter at every
// reference position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "input/pairwise_rows.h"

namespace corvella {

struct OutgroupRead {
    bool ok = false;
    std::string message;  // why it cannot be used
    std::string name;     // the record's name (FASTA) or the LOCUS name (GenBank)
    // One letter per reference position (index p - 1): "A", "C", "G", "T",
    // or "-" where the outgroup is left out: its deletions, its letters other
    // than A, C, G, T, its missing ends.
    std::string bases;
    AlignmentStats stats;
};

// The outgroup letter at every reference position of two aligned rows.
std::string outgroup_bases_of_rows(const PairwiseRows& rows);

// Reads the text (a GenBank record when its first line starts with "LOCUS",
// else FASTA with one record) and aligns it with `reference`.
OutgroupRead outgroup_from_text(std::string_view text, const std::string& reference);
OutgroupRead read_outgroup(const std::string& path, const std::string& reference);

// One line for the person: the name, its letters, and how much of the
// reference it covers with how many differences.
std::string outgroup_summary(const OutgroupRead& read);

}  // namespace corvella
