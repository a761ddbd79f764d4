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

// The consequence of a codon change, one SO term each.
enum class CodonConsequence { Synonymous, Missense, StopGained, StopLost, StopRetained, Incomplete };
// "synonymous_variant", "missense_variant", "stop_gained", "stop_lost",
// "stop_retained_variant", "incomplete_terminal_codon_variant".
const char* consequence_term(CodonConsequence c);
// An amino acid of "X" (a codon not in the table) on either side is
// Incomplete; "STOP" on both sides StopRetained; otherwise from the two
// amino-acid texts.
CodonConsequence codon_consequence(const CodonChange& change);

// Three-letter amino acid: "Thr", "Ter" for "STOP"; "X" (or anything not a
// one-letter code) gives "Xaa".
std::string three_letter_amino_acid(const std::string& amino_acid);

// HGVS m. notation on the loaded reference: "m.8527A>G"; a position outside
// the reference shows the reference letter as "Z" like the other reports.
std::string hgvs_genomic(const Workspace& ws, int32_t p, char base);
// HGVS p. notation of a codon change: "p.Thr8Ala", "p.Thr8=", "p.Trp20Ter",
// "p.Ter227Glnext*?", "p.?" for a codon not in the table.
std::string hgvs_protein(const CodonChange& change);

struct VariantAnnotation {
    VariantRegion region;
    std::string region_name;
    std::string consequence;  // SO term
    // Protein rows only (empty elsewhere): the per-position report's columns
    // and the codon change they come from.
    bool coding = false;
    CodonChange codon;
    std::string codon_position, ref_codon, alt_codon;  // codons with U for T
    std::string ref_aa, alt_aa, aa_position, polarity;
    std::string hgvs_protein;
    // tRNA rows on the built-in human reference: the cloverleaf slot name.
    std::string trna_structure;
    // rRNA rows on the built-in human reference: "Stem" or "Non-stem".
    std::string rrna_structure;
};

// One annotation per region of variant_regions(ws, p), in that order.
std::vector<VariantAnnotation> annotate_variant(const Workspace& ws, int32_t p, char base);

}  // namespace corvella
