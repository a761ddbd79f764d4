// Placing variants outside the protein-coding logic: in the D-loop, in one of
// the 22 tRNAs or the two rRNAs, or in the non-coding rest of the reference,
// and counting them per region for the non-protein window and its reports.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "output/chart_spec.h"

namespace corvella {

// Region rows of the non-protein reports: 0..23 are RNA gene rows, 24 the
// D-loop (the second member of an overlap group may be the D-loop).
constexpr int DLOOP_REGION_ROW = 24;
constexpr int NON_PROTEIN_REGION_ROWS = 25;
// The window shows 26 bars: D-loop, 12S, 16S, the 22 tRNAs, non-coding.
constexpr int NON_PROTEIN_BAR_COUNT = 26;

struct NonProteinLocation {
    bool in_dloop = false;
    bool in_protein_gene = false;
    std::vector<int> rna_rows;  // every RNA gene row holding the position, ascending

    // Neither D-loop, protein gene nor RNA gene; positions beyond the reference
    // (only a network reading lets them into the tally) are non-coding too.
    bool non_coding() const { return !in_dloop && !in_protein_gene && rna_rows.empty(); }
};

// Where a 1-based position lies. Never reads the reference letters, so any
// position (also 0 or past the reference) is safe.
NonProteinLocation locate_non_protein(const Workspace& ws, int32_t p);

struct NonProteinCounts {
    int32_t dloop = 0;
    std::array<int32_t, RNA_GENE_COUNT> rna{};  // by RNA gene row
    int32_t noncoding = 0;
    int32_t total = 0;  // filled by count_sample_non_protein only
};

// The three counting rules below differ on purpose, and callers must not
// swap them:
//  - count_non_protein (the window) counts each distinct variant once and a
//    position in two overlapping RNA genes under the lower row only, so the
//    26 bars add up to the number of non-protein variants.
//  - position_regions (per-position report) lists every region of the
//    position, so an overlap gives one report row per RNA gene.
//  - count_sample_non_protein (per-sample report) counts every occurrence in
//    the sample and every overlapping RNA gene, so a sample's row shows all
//    the regions its variants touch.
// In all three a protein gene only ever keeps a position from counting as
// non-coding; a position in a protein gene and an RNA gene counts as RNA.

// The window's counts over the distinct keys of the tally (occurrence counts
// are ignored). `total` stays 0.
NonProteinCounts count_non_protein(const Workspace& ws, const VariantTally& tally);

enum class RegionKind { DLoop, Rna, NonCoding };
struct PositionRegion {
    RegionKind kind;
    int rna_row = -1;  // RNA gene row 0..23 when kind is Rna
    bool operator==(const PositionRegion& o) const { return kind == o.kind && rna_row == o.rna_row; }
};

// The rows of the per-position report for one position: the D-loop, then each
// RNA gene row ascending, then non-coding. Empty for a position that lies only
// in protein genes.
std::vector<PositionRegion> position_regions(const Workspace& ws, int32_t p);

// Counts of one sample's position list (one entry of sample_positions); a
// position listed twice counts twice. `total` is the sum of all counts.
NonProteinCounts count_sample_non_protein(const Workspace& ws, PositionView positions);

// Counts sample-list entries exactly as count_sample_non_protein does, with
// the location of every position of the reference and the region table
// worked out once: for the report that counts every sample of a cohort.
// Positions outside that span are located one by one. Keeps a reference to
// `ws`, which must outlive it.
class NonProteinSampleCounter {
public:
    explicit NonProteinSampleCounter(const Workspace& ws);
    NonProteinCounts count(PositionView positions) const;

private:
    const Workspace& ws_;
    std::vector<uint32_t> begin_;  // by position: first entry in rows_, then one past the last
    std::vector<int8_t> rows_;     // RNA gene rows
    std::vector<uint8_t> flags_;   // by position: IN_DLOOP, NON_CODING
};

// Variants that lie in two regions at once: two overlapping RNA genes, or an
// RNA gene and the D-loop (second_row 24).
struct OverlapGroup {
    int first_row = 0;   // RNA gene row 0..23
    int second_row = 0;  // RNA gene row 0..23, or 24 for the D-loop
    std::vector<VariantKey> variants;  // in the order found; a position may repeat
};
using OverlapGroups = std::vector<OverlapGroup>;

// Rebuilds the overlap groups from the variants in the given order, groups in
// order of creation, one per (first_row, second_row) pair. Of three or more
// RNA genes at one position only the first and the last are recorded.
OverlapGroups non_protein_overlap_groups(const Workspace& ws, const std::vector<VariantKey>& variants);

// The keys of the tally in tally order; the variants of sample entry i in list
// order (a base missing from a damaged entry reads as "Z").
std::vector<VariantKey> tally_variants(const VariantTally& tally);
std::vector<VariantKey> sample_variants(const Workspace& ws, size_t entry);

// Region name of the reports: RNA gene name for rows 0..23, "D-loop" for 24.
// Without a codon-family suffix: rows 2 and 18 both read "tRNA-Leu".
std::string report_region_name(int row);
// The report region name with the codon family of the repeated tRNAs:
// row 2 "tRNA-Leu(UUR)", 11 "tRNA-Ser(UCN)", 17 "tRNA-Ser(AGY)", 18 "tRNA-Leu(CUN)".
std::string qualified_rna_name(int row);

// One bar of the window, in display order: grid label, chart label, count.
struct NonProteinBar {
    std::string grid_label;
    std::string chart_label;
    int32_t count;
};
std::array<NonProteinBar, NON_PROTEIN_BAR_COUNT> non_protein_bars(const NonProteinCounts& counts);

// The label and count texts of the window's grids: StringGrid1 rows 1..13,
// then StringGrid2 rows 1..13, exactly as displayed. The summary report is
// built from these, so the window and corvella-cli write the same file.
struct GridRowText {
    std::string label;
    std::string count;  // decimal; empty before the first count
};
constexpr int NON_PROTEIN_GRID_ROWS = 13;  // data rows per grid
using NonProteinGridTexts = std::array<GridRowText, NON_PROTEIN_BAR_COUNT>;
NonProteinGridTexts non_protein_grid_texts(const NonProteinCounts& counts);

// The 26-bar chart "Number of Positions per Gene/Region" in blue.
ChartSpec non_protein_chart(const NonProteinCounts& counts);

}  // namespace corvella
