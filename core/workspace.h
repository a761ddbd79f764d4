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

#include "core/genetic_code_tables.h"
#include "core/indel_calls.h"
#include "core/sample_store.h"

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
// The HGNC symbols of the human genes, in the same orders ("MT-ATP6" ...
// "MT-ND6"; "MT-TF" ... "MT-TP", "MT-RNR1", "MT-RNR2"): the names ClinVar,
// gnomAD and VEP use. The D-loop has no HGNC symbol.
extern const std::array<const char*, PROTEIN_GENE_COUNT> PROTEIN_GENE_SYMBOLS;
extern const std::array<const char*, RNA_GENE_COUNT> RNA_GENE_SYMBOLS;
using ProteinSymbols = std::array<std::string, PROTEIN_GENE_COUNT>;
using RnaSymbols = std::array<std::string, RNA_GENE_COUNT>;

// How a protein gene is read: on which strand and under which of NCBI's
// numbered genetic codes. A reverse-strand gene is read backwards from its
// end and complemented. The built-in layout reads only ND6 in reverse, every
// gene under the vertebrate mitochondrial code (table 2).
struct ProteinGeneReading {
    bool reverse = false;
    int genetic_code = VERTEBRATE_MITOCHONDRIAL_CODE;  // NCBI translation table number, always one the program holds
    bool operator==(const ProteinGeneReading& o) const {
        return reverse == o.reverse && genetic_code == o.genetic_code;
    }
};
using ProteinReadings = std::array<ProteinGeneReading, PROTEIN_GENE_COUNT>;

// The built-in layout: only ND6 reverse, table 2 throughout.
ProteinReadings built_in_protein_readings();

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
    // Strand and genetic code of each protein gene, in region-table order;
    // replaced with the region table by every reference load.
    ProteinReadings protein_reading = built_in_protein_readings();
    // The loaded reference's accession ("AC_000021" for the built-in one).
    std::string reference_accession;
    // A loaded GenBank record's VERSION ("NC_012920.1"), the accession with
    // its version; empty for the built-in reference and records without one.
    std::string reference_version;
    // The gene symbols of the loaded reference, in region-table order: the
    // HGNC symbols for the built-in one; for a GenBank record its /gene
    // qualifiers (empty where the record gives none).
    ProteinSymbols protein_symbols{};
    RnaSymbols rna_symbols{};
    // True while the built-in human reference is the loaded one; it is the
    // check mark of the "Human Reference" menu item.
    bool human_reference = false;

    // Aligned import: entry 0 is the alignment's reference. Entry 0 of the
    // names keeps its leading ">", the others do not.
    std::vector<std::string> aligned_sequences;
    std::vector<std::string> aligned_names;

    // Sample lists: one entry per variant line (positions and bases are
    // parallel), one name per name line, the whole line with its ">". Flat
    // stores: sample_positions[i] is a view of entry i's positions,
    // sample_bases[i] and sample_names[i] views of bytes.
    FlatPositions sample_positions;
    FlatTexts sample_bases;
    FlatTexts sample_names;
    // Heteroplasmy levels (0..1): entry k is the level of the k-th (position,
    // base) item of the sample lists, walking samples in order and each
    // sample's items in order. Empty when every call has level 1 (lists, HSD).
    std::vector<float> sample_levels;
    // The insertions and deletions of the sample entries, which the sample
    // lists leave out; replaced with them.
    IndelCalls sample_indels;

    VariantTally variant_tally;

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
