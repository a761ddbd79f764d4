// The polymorphism list reader that feeds the counting windows, the pairing
// of sample names with variant entries, and the variant tally.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "input/list_tokens.h"
#include "core/workspace.h"

namespace corvella {

// The transition partner of a reference letter: A<->G, C<->T; any other
// letter (N, a gap) gives 'Z', the base the data does not give.
char transition_base(char reference_letter);

struct ListReadResult {
    // -1: the file cannot be opened; -2: more variant lines than name lines;
    // otherwise the number of variant entries (0 or more).
    int32_t code = 0;
    SampleLists lists;  // what was read; meaningful only when code >= 0
    VariantTally tally;  // the tally of `lists`, counted while reading (as build_variant_tally counts)
};

// Reads a polymorphism list against `reference` (the workspace's reference
// letters): a token is kept only when its position lies in 1..length, and a
// bare position takes the transition partner of the reference letter there.
// The file is mapped, not copied, and read on every core (see ListSplit).
ListReadResult read_and_parsing_file(const std::string& path, const std::string& reference,
                                     const ListSplit& split = ListSplit{});

// The same over a text already in memory (code is never -1).
ListReadResult parse_polymorphism_list(std::string_view text, const std::string& reference,
                                       const ListSplit& split = ListSplit{});

// The sample lists alone, without the tally, for a caller that counts the
// whole cohort once its files are joined (build_variant_tally). Returns the
// entry count or -2, as parse_polymorphism_list's code.
int32_t parse_polymorphism_entries(std::string_view text, const std::string& reference, SampleLists& out,
                                   const ListSplit& split = ListSplit{});

// Empties the tally and counts every (position, base) item of every entry of
// the sample lists; the same variant twice on one line counts twice.
void build_variant_tally(Workspace& ws);

// The same count over any sample lists; `reference_length` only sizes the
// counting table.
VariantTally tally_of_lists(const FlatPositions& positions, const FlatTexts& bases, std::size_t reference_length);

// Reads the list at `path` and, only when the read succeeds, replaces the
// sample lists and rebuilds the tally. On failure the workspace is exactly as
// before. Returns the reader's code.
int32_t load_polymorphism_list(Workspace& ws, const std::string& path);

// The name line of entry i: with as many names as entries, name i; with more
// names (a list written by the caller begins with the reference's name), name
// i + 1. An index with no name gives an empty text. The view lives as long
// as the workspace's names.
TextView sample_name(const Workspace& ws, std::size_t i);

// The caption of the counting windows' summary label after a list was read:
// "list.txt  -  12 sequences".
std::string list_summary(const std::string& path, int32_t entries);

}  // namespace corvella
