// The HSD reader: the tab-separated sample text of the haplogroup classifier
// (sample id, range, haplogroup, then the variants). Like the VCF reader it
// writes converted list tokens; the list reader fills the workspace.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "input/converted_list.h"

namespace corvella {

// What one HSD variant word is.
struct HsdVariant {
    enum Kind { Snv, Token, SameAsReference, Ambiguous, Outside, Unreadable, Placeholder } kind = Unreadable;
    int32_t position = 0;
    char base = 0;      // Snv: the upper-case base
    std::string token;  // Token: "315insC", "523delA" (without the blank)
};

// Reads one variant word against `reference` (upper case, position p at
// index p - 1): 73G and 73g are (73, G); 315.1C is the token 315insC; 523d,
// 523del and 523DEL are 523del and the reference letter; a base equal to the
// reference letter, N and the other ambiguity codes, positions outside the
// reference, a base at an N of the reference (rCRS's placeholder 3107) and
// anything else are passed over.
HsdVariant read_hsd_variant(std::string_view word, std::string_view reference);

// Parses a whole HSD text and appends one ConvertedSample per sample line.
// Each single-base call has level 1. Returns why the text is refused, with
// its line where there is one ("line 4: ..."), or empty when it reads: a
// text with no sample line, or a line holding bytes that are not text (a
// binary file's), is refused.
std::string parse_hsd_text(std::string_view text, std::string_view reference, std::vector<ConvertedSample>& samples,
                           ImportSummary& summary);

}  // namespace corvella
