// The GenBank flat-file reader for "Open Other Reference File...": it takes
// the accession, the locations of the 13 protein genes, 24 RNAs and the
// D-loop under the names of the workspace's name tables or the usual
// synonyms (input/genbank_names.h), each protein gene's strand and genetic
// code, and the sequence.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/workspace.h"

namespace corvella {

struct ReferenceReadResult {
    bool ok = false;
    std::string message;  // the failure message the window shows
    std::string sequence;  // upper-case letters, at most MAX_REFERENCE_LENGTH
    std::array<int32_t, REGION_SLOT_COUNT> region_table{};
    // Strand from each protein gene's location (complement(...) is reverse),
    // code from the /transl_table of its CDS, table 2 where none is given.
    ProteinReadings protein_reading{};
    std::string accession;  // the second words of every ACCESSION line, joined
    std::string version;    // the second word of the VERSION line ("NC_012920.1"), or empty
    // The /gene qualifier of each region's feature, empty where none is given.
    ProteinSymbols protein_symbols{};
    RnaSymbols rna_symbols{};
};

// Reads a GenBank file. Nothing in the workspace changes here: a failed read
// gives the message only, so the previous reference stays whole.
ReferenceReadResult extract_info_from_reference(const std::string& path);

// The same over a text already in memory.
ReferenceReadResult parse_genbank_text(std::string_view text);

// Makes a successful read the loaded reference: sequence and region table
// replaced as a whole, the human-reference flag cleared.
void use_reference(Workspace& ws, const ReferenceReadResult& read);

// The main window's title after a load: "Corvella - NC_012920".
std::string reference_title(const ReferenceReadResult& read);

// A simple location (3307..4262, complement(14149..14673), <1..>576): returns
// the start and gives the end through `end`; returns 0 when either number is
// missing or not positive (and `end` must not be used).
int32_t position_split(std::string_view location, int32_t& end);

// A join of two ranges, such as the D-loop across the origin:
// join(16024..16569,1..576) and join(1..576,16024..16569) both give start
// 16024 and end 576. Returns 0 when any of the four numbers does not read.
int32_t position_split_case_join(std::string_view location, int32_t& end);

}  // namespace corvella
