// The one body of state that every window shares: the loaded reference, the
// region table that places the genes on it, the aligned sequences of the last
// import, the sample lists of the last polymorphism list read and the variant
// tally built from them. Plain data; the main window owns exactly one.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvella {

// At most 19,999 reference letters (the buffer held 20,000 with the NUL).
constexpr int REFERENCE_CAPACITY = 20000;
constexpr int MAX_REFERENCE_LENGTH = REFERENCE_CAPACITY - 1;

constexpr int PROTEIN_GENE_COUNT = 13;
constexpr int RNA_GENE_COUNT = 24;  // rows 0..21 tRNAs, 22 12S, 23 16S
constexpr int TRNA_COUNT = 22;
constexpr int RRNA_12S_ROW = 22;
constexpr int RRNA_16S_ROW = 23;
constexpr int ND6_ROW = 12;  // the one protein gene read on the other strand
constexpr int REGION_SLOT_COUNT = 76;

// Region-table slot numbers.
constexpr int protein_start_slot(int k) { return k; }
constexpr int protein_end_slot(int k) { return 13 + k; }
constexpr int rna_start_slot(int k) { return 26 + k; }
constexpr int rna_end_slot(int k) { return 50 + k; }
constexpr int DLOOP_START_SLOT = 74;
constexpr int DLOOP_END_SLOT = 75;

// Protein gene names in region-table order ("ATP6" ... "ND6").
extern const std::array<const char*, PROTEIN_GENE_COUNT> PROTEIN_GENE_NAMES;
// RNA gene names as a GenBank /product qualifier spells them; two names
// repeat (tRNA-Leu, tRNA-Ser): the first row is the one at the lower position.
extern const std::array<const char*, RNA_GENE_COUNT> RNA_GENE_NAMES;
// Short names for chart labels; row 21 is " Pro" with one leading blank.
extern const std::array<const char*, RNA_GENE_COUNT> RNA_SHORT_NAMES;

// One distinct variant: a 1-based reference position and the new base.
struct VariantKey {
    int32_t position;
    char base;
    bool operator<(const VariantKey& o) const {
        if (position != o.position) return position < o.position;
        return static_cast<unsigned char>(base) < static_cast<unsigned char>(o.base);
    }
    bool operator==(const VariantKey& o) const {
        return position == o.position && base == o.base;
    }
};

// Walked by position ascending, then by the character code of the base.
using VariantTally = std::map<VariantKey, int32_t>;

struct Workspace {
    // Upper-case letters exactly as loaded; position p is ref_sequence[p - 1].
    // Never longer than MAX_REFERENCE_LENGTH.
    std::string ref_sequence;
    // 1-based positions, 0 = not set; closed ranges that never wrap, except
    // the D-loop (slots 74, 75), which may run across the origin.
    std::array<int32_t, REGION_SLOT_COUNT> region_table{};
    // True while the built-in human reference is the loaded one; it is the
    // check mark of the "Human Reference" menu item.
    bool human_reference = false;

    // Aligned import: entry 0 is the alignment's reference. Entry 0 of the
    // names keeps its leading ">", the others do not.
    std::vector<std::string> aligned_sequences;
    std::vector<std::string> aligned_names;

    // Sample lists: one entry per variant line (positions and bases are
    // parallel), one name per name line, the whole line with its ">".
    std::vector<std::vector<int32_t>> sample_positions;
    std::vector<std::string> sample_bases;
    std::vector<std::string> sample_names;
    // Heteroplasmy levels (0..1): entry k is the level of the k-th (position,
    // base) item of the sample lists, walking samples in order and each
    // sample's items in order. Empty when every call has level 1 (lists, HSD).
    std::vector<float> sample_levels;

    VariantTally variant_tally;

    // The ACCESSION of a loaded GenBank reference; empty for the built-in one.
    std::string reference_accession;

    int32_t reference_length() const { return static_cast<int32_t>(ref_sequence.size()); }
    // Callers keep 1 <= p <= reference_length().
    char reference_letter(int32_t p) const { return ref_sequence[static_cast<size_t>(p - 1)]; }

    int32_t protein_start(int k) const { return region_table[protein_start_slot(k)]; }
    int32_t protein_end(int k) const { return region_table[protein_end_slot(k)]; }
    int32_t rna_start(int k) const { return region_table[rna_start_slot(k)]; }
    int32_t rna_end(int k) const { return region_table[rna_end_slot(k)]; }
    bool in_protein_gene(int k, int32_t p) const { return protein_start(k) <= p && p <= protein_end(k); }
    bool in_rna_gene(int k, int32_t p) const { return rna_start(k) <= p && p <= rna_end(k); }

    // Whether p lies in the D-loop; the D-loop wraps across the origin when
    // its start is above its end. With no reference loaded nothing is in it.
    bool is_dloop(int32_t p) const;
};

}  // namespace corvella
