// Synonymous and non-synonymous counting per protein gene, and the overlap
// and stop analysis of a set of variants. Every distinct variant is
// classified in every protein gene that holds its position, through
// build_codon_change; two genes may share a position (ATP6/ATP8, ATP6/COX3,
// ND4L/ND4 on the human reference) and the variant then counts in both.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "output/chart_spec.h"

namespace corvella {

// Per-gene counts, indexed by protein gene row 0..12.
struct ProteinCounts {
    std::array<int32_t, PROTEIN_GENE_COUNT> synonymous{};
    std::array<int32_t, PROTEIN_GENE_COUNT> non_synonymous{};
};

// The variant the counting window classifies: a 1-based position, the
// reference letter there and the new letter.
struct CurrentVariant {
    int32_t position = 0;
    char reference_base = 0;
    char new_base = 0;
};

// Sets up the current variant for (p, b); the reference letter is "Z" for a
// position outside the loaded reference.
CurrentVariant current_variant(const Workspace& ws, const VariantKey& key);

// Positions shared by two protein genes, with the variants found there in
// the order found. first_gene < second_gene.
struct ProteinOverlapGroup {
    int first_gene = 0;
    int second_gene = 0;
    std::vector<VariantKey> variants;
};

// What check_overlap_positions finds: the groups in order of creation (no two
// with the same gene pair) and every classification that touched a stop
// codon, once per classified gene.
struct ProteinAnalysis {
    std::vector<ProteinOverlapGroup> protein_overlap_groups;
    std::vector<VariantKey> stop_variants;
};

// Results of the counting window's `locus` besides a gene row 0..12.
constexpr int PROTEIN_LOCUS_NONE = -1;
constexpr int PROTEIN_LOCUS_OVERLAP = 13;

// The counting window's `locus`: -1 when no protein gene holds p, the gene row
// when exactly one does, 13 as soon as a second one is found (rows scanned
// 0..12 in order).
int protein_locus(const Workspace& ws, int32_t p);

// The counting window's `is_synonymous`: classifies v in `gene` (which must
// hold v.position) and appends the variant to stop_variants when either amino
// acid is "STOP". "X" on both sides is synonymous, on one side not.
bool is_synonymous(const Workspace& ws, int gene, const CurrentVariant& v,
                   std::vector<VariantKey>& stop_variants);

// Counts each tally key once (its occurrence count is ignored) in every gene
// that holds its position. An empty tally gives all zeros.
ProteinCounts count_protein_variants(const Workspace& ws, const VariantTally& tally);

// Classifies one variant into `analysis` and, when counts is not null, into
// the per-gene counts: the step shared by check_overlap_positions and the
// per-sample report. A variant outside every gene changes nothing.
void analyse_protein_variant(const Workspace& ws, const VariantKey& key, ProteinAnalysis& analysis,
                             ProteinCounts* counts);

// The overlap groups and stop variants of the tally keys, in tally order.
ProteinAnalysis check_overlap_positions(const Workspace& ws, const VariantTally& tally);

// The 14 rows of the counting grid below its header: gene name, synonymous
// and non-synonymous count as the grid shows them, then "TOTAL" with the two
// column sums (a variant in two genes is in both sums twice).
std::vector<std::array<std::string, 3>> protein_grid_rows(const ProteinCounts& counts);

// The bar chart of the counting window: "Syn" in blue and "Non-Syn" in red,
// one bar per gene at x = 1..13 labelled with the gene name.
ChartSpec protein_chart_spec(const ProteinCounts& counts);

}  // namespace corvella
