// What Corvella knows about one variant in one region that holds its
// position, gathered from the classification calls the per-position reports
// make (codon change, non-protein location, tRNA slot, rRNA stem place), in
// the nomenclature of clinical reports: HGVS m. and p. notation and Sequence
// Ontology consequence terms. The variant table and the annotated VCF are
// both built from these values, so they cannot disagree with the reports.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classify/genetic_code.h"
#include "core/workspace.h"

namespace corvella {

enum class RegionType { Protein, Trna, Rrna, DLoop, NonCoding };

// "protein", "tRNA", "rRNA", "D-loop", "non-coding".
const char* region_type_name(RegionType type);

struct VariantRegion {
    RegionType type;
    int row;  // protein gene row 0..12, RNA gene row 0..23; -1 for D-loop and non-coding
    bool operator==(const VariantRegion& o) const { return type == o.type && row == o.row; }
};

// Every region that holds p: protein genes in table order, then RNA genes in
// table order, then the D-loop; a position in none of them gives one
// non-coding region. Safe for any position (also 0 or past the reference).
std::vector<VariantRegion> variant_regions(const Workspace& ws, int32_t p);

// The region name the other reports write: "ND1", "tRNA-Leu(UUR)", "s-rRNA",
// "D-loop", "Non-coding".
std::string variant_region_name(const VariantRegion& region);

// The gene symbol of a region on the loaded reference: the HGNC symbol on
// the built-in one ("MT-ND1", "MT-TL1", "MT-RNR1"), a GenBank record's /gene
// qualifier; empty for the D-loop, non-coding stretches and genes whose
// record names no /gene.
std::string variant_region_symbol(const Workspace& ws, const VariantRegion& region);

// The consequence of a codon change, one SO term each.
enum class CodonConsequence {
    Synonymous, Missense, StopGained, StopLost, StopRetained, Incomplete, StartLost, StartRetained
};
// "synonymous_variant", "missense_variant", "stop_gained", "stop_lost",
// "stop_retained_variant", "incomplete_terminal_codon_variant",
// "start_lost", "start_retained_variant".
const char* consequence_term(CodonConsequence c);
// An amino acid of "X" (a codon not in the table) on either side is
// Incomplete; "STOP" on both sides StopRetained; otherwise from the two
// amino-acid texts. Knows nothing of initiation codons (see protein_change).
CodonConsequence codon_consequence(const CodonChange& change);

// Whether `codon` (DNA letters) starts a protein under NCBI code
// `genetic_code`: ATT, ATC, ATA, ATG and GTG in the vertebrate
// mitochondrial code.
bool is_initiation_codon(const std::string& codon, int genetic_code);

// A single-letter change in protein gene `gene` as the annotation reads it,
// which differs from build_codon_change in two places of the biology: the
// first codon is the initiation codon, read as Met whatever its letters (a
// change there is start_lost, or start_retained_variant when the new codon
// still starts a protein under the gene's code); and the last codon of a
// gene whose length is not a multiple of three is completed by the A's of
// the mRNA's poly(A) tail (ND4's final T is the stop TAA). The counting
// reports and the single-position check keep build_codon_change.
struct ProteinChange {
    CodonChange codon;  // codons in DNA letters on the gene's strand
    CodonConsequence consequence = CodonConsequence::Synonymous;
    int32_t coding_position = 0;  // 1-based place in the coding sequence (c. numbering)
    char coding_ref = 0, coding_alt = 0;  // the letters there on the gene's strand
};
ProteinChange protein_change(const Workspace& ws, int gene, int32_t p, char base);

// The gene's coding sequence on its own strand (complemented for a reverse
// gene), completed with A's to whole codons.
std::string coding_sequence(const Workspace& ws, int gene);

// Three-letter amino acid: "Thr", "Ter" for "STOP"; "X" (or anything not a
// one-letter code) gives "Xaa".
std::string three_letter_amino_acid(const std::string& amino_acid);

// HGVS m. notation on the loaded reference: "m.8527A>G"; a position outside
// the reference shows the reference letter as "Z" like the other reports.
std::string hgvs_genomic(const Workspace& ws, int32_t p, char base);
// HGVS p. notation of a codon change: "p.Thr8Ala", "p.Thr8=", "p.Trp20Ter",
// "p.Ter227Glnext*?", "p.?" for a codon not in the table; with the
// consequence of protein_change also "p.Met1?" (start lost) and "p.Met1="
// (start retained).
std::string hgvs_protein(const CodonChange& change);
std::string hgvs_protein(const CodonChange& change, CodonConsequence consequence);

// The accession a genomic HGVS names: "NC_012920.1" for the built-in
// reference (the revised Cambridge sequence), else the loaded record's with
// the version its VERSION line gives ("NC_012920.1"), or without one.
std::string hgvs_accession(const Workspace& ws);

struct VariantAnnotation {
    VariantRegion region;
    std::string region_name;
    std::string symbol;  // variant_region_symbol
    std::string consequence;  // SO term
    // Protein rows only (empty elsewhere): the per-position report's columns
    // and the codon change they come from.
    bool coding = false;
    CodonChange codon;
    std::string codon_position, ref_codon, alt_codon;  // codons with U for T
    std::string ref_aa, alt_aa, aa_position, polarity;
    std::string hgvs_protein;
    // HGVS of the variant itself: "m.3460G>A", "m.309dup"; and in a protein
    // gene on its own strand "c.154G>A" (empty elsewhere).
    std::string hgvs_genomic;
    std::string hgvs_coding;
    // tRNA rows on the built-in human reference: the cloverleaf slot name.
    std::string trna_structure;
    // rRNA rows on the built-in human reference: "Stem" or "Non-stem".
    std::string rrna_structure;
};

// One annotation per region of variant_regions(ws, p), in that order.
std::vector<VariantAnnotation> annotate_variant(const Workspace& ws, int32_t p, char base);

// A variant as a VCF record writes it: `position` is REF's first letter,
// REF gives the length of the reference stretch replaced and ALT its
// replacement (letters A, C, G, T in any case). Alleles that share letters
// at their ends are trimmed first. One substitution is annotate_variant; an
// MNP is annotated as its substitutions, one after the other; an insertion
// or deletion (or a replacement of another length) gets one annotation per
// region it touches, with its genomic HGVS moved 3' (m.9537dup,
// m.523_524del), frameshift_variant, inframe_insertion or inframe_deletion
// in a protein gene with the coding and protein HGVS, and the term of the
// region elsewhere. Nothing for an allele equal to the reference, one the
// reference cannot place, or a substitution at a letter other than A, C,
// G, T (the N kept at 3107 of the revised Cambridge sequence).
std::vector<VariantAnnotation> annotate_allele(const Workspace& ws, int32_t position, const std::string& ref,
                                               const std::string& alt);

}  // namespace corvella
