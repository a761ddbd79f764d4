// Calling the polymorphisms of aligned sequences against the alignment's
// first sequence, written as a polymorphism list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/workspace.h"

namespace corvella {

// True for A, C, T, G and the gap "-".
bool base_or_gap(char c);

// The reference position of every column of the aligned reference: the
// number of columns up to and including it that hold a letter, so a gap
// column carries the position of the last letter before it (0 before the
// first). Numbered in 32 bits: alignments of any practical width count right.
std::vector<int32_t> reference_numbering(std::string_view reference);

// Appends the block of one sequence to `list_text`: ">" name, a line of
// tokens each followed by one blank, and an empty line. `letters` has the
// length of `reference`; `numbering` is reference_numbering(reference).
void determine_polymorphisms(std::string_view name, std::string_view letters, std::string_view reference,
                             const std::vector<int32_t>& numbering, std::string& list_text);

// The whole list of the aligned-sequence store: the reference's name line,
// "Numbering Reference", an empty line, then one block per sequence of the
// reference's length (other lengths are passed over). Empty for an empty store.
std::string build_polymorphism_list(const Workspace& ws);

}  // namespace corvella
