// What the VCF and HSD readers build: per sample, the tokens of a polymorphism
// list line and the levels of the calls those tokens carry, and the count of
// everything that was passed over on the way. The readers never fill the
// sample lists themselves: they write the converted list, and the list reader
// reads it, so a cohort read from a VCF and the same cohort read from its
// converted list are one and the same by construction.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

// Counts of one import (one or many files of one kind). A "call" is one
// allele of one record carried by one sample; a record is one VCF data line.
struct ImportSummary {
    bool hsd = false;  // the wording of the summary line differs for HSD
    int64_t files = 0;
    int64_t samples = 0;
    int64_t records = 0;   // VCF data records, or HSD sample lines
    int64_t calls = 0;     // single-base calls kept: the items the list reader reads back
    int64_t variants = 0;  // HSD only: variant words read
    // Passed over:
    int64_t other_contig = 0;       // records on a contig that is not the mitochondrial one
    int64_t filtered = 0;           // records whose FILTER is neither PASS nor missing
    int64_t ref_mismatch = 0;       // records whose REF is not the reference's letters
    int64_t below_level = 0;        // calls whose level is under the minimum level
    int64_t missing_genotype = 0;   // sample calls without a usable genotype or level
    int64_t indel_tokens = 0;       // insertion and deletion calls written as list tokens (not counted)
    int64_t other_shapes = 0;       // alleles of another shape: *, <DEL>, letters other than A, C, G, T
    int64_t outside_reference = 0;  // positions outside 1..reference length
    int64_t same_as_reference = 0;  // HSD variants naming the reference's own letter
    int64_t unreadable = 0;         // HSD variant words that do not read
    std::string first_unreadable;   // the first of them, and the line it is on (1-based)
    int64_t first_unreadable_line = 0;
    // Passed over and named in the summary only when there are any, so that
    // the summary of a file without them reads as it always has:
    int64_t placeholder = 0;        // records (HSD: variants) at an N of the reference, rCRS's 3107
    int32_t first_placeholder = 0;  // the position of the first of them
    int64_t empty_lines = 0;        // empty lines among a VCF's records
    // VCF only: the rule the calls were kept by.
    double min_level = 0.9;
    bool include_filtered = false;
};

// The counts of everything passed over (indels kept as tokens are kept).
int64_t passed_over_count(const ImportSummary& s);

// Why an import from which no call was kept is refused, or empty when a call
// was kept or nothing was passed over (an input of samples identical to the
// reference). `what` names the input ("x.vcf", "the 3 files"); `min_level`
// is the level the calls were held to.
std::string nothing_kept_refusal(const ImportSummary& s, const std::string& what, double min_level);

// "2504 samples, 4012 records, 118227 calls kept; passed over: ...; minimum
// level 0.9, records whose FILTER is not PASS left out" in one line (the rule
// at its end for VCF only).
std::string import_summary_text(const ImportSummary& s);

// One sample of a converted list.
struct ConvertedSample {
    std::string name;            // the name as the file gives it, without ">"
    std::string tokens;          // list tokens, each followed by one blank
    std::vector<float> levels;   // one per single-base token, in token order
    std::vector<float> indel_levels;  // one per insertion or deletion token, in token order
};

// Appends the list token of the single-base variant (position, base): the bare
// position when base is the transition partner of the reference letter there
// (the list reader derives it back), else the position and the base.
// `reference` holds position p at index p - 1; callers keep p in range.
void append_snv_token(std::string& tokens, int32_t position, char base, std::string_view reference);

// The name of the reference as the first line of a converted list gives it:
// "rCRS" for the built-in human reference, else the loaded accession.
std::string converted_reference_name(bool human_reference, const std::string& accession);

// The whole converted list: ">" and the reference name, "Numbering Reference",
// an empty line, then per sample its name line, its token line ("0 " when it
// carries nothing) and an empty line. Lines end in "\n"; the text writer
// stores them as CR LF, as for every list Corvella writes.
std::string converted_list_text(const std::string& reference_name, const std::vector<ConvertedSample>& samples);

// The levels of every single-base call, sample after sample, token after
// token: the order in which the list reader stores the items.
std::vector<float> converted_levels(const std::vector<ConvertedSample>& samples);
// The same for the insertion and deletion tokens.
std::vector<float> converted_indel_levels(const std::vector<ConvertedSample>& samples);

}  // namespace corvella
