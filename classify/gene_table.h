// The gene table: per protein gene, tRNA, rRNA and the D-loop, how many of
// the possible single-letter changes the cohort's distinct variants show.
// Protein genes split the possible changes by what the codon change makes of
// them (synonymous, missense, stop gained, stop lost), which gives pN/pS.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "classify/variant_annotation.h"
#include "classify/variant_table.h"
#include "core/workspace.h"
#include "input/sample_groups.h"
#include "output/report.h"

namespace corvella {

// The four classes of a protein change in the gene table, in column order.
// A stop codon kept (stop_retained_variant) is synonymous; a change that
// gives a codon not in the table is in none of them. Changes are read as
// the variant table reads them (protein_change).
enum class ChangeClass { Synonymous = 0, Missense, StopGained, StopLost };
constexpr int CHANGE_CLASS_COUNT = 4;

struct GeneTableRow {
    VariantRegion region;
    int32_t length = 0;  // positions of the region; 0 when its range is not set
    // Protein genes: every position times its other letters, classified by
    // the codon change, and the tally's distinct variants in each class.
    std::array<int32_t, CHANGE_CLASS_COUNT> possible{};
    std::array<int32_t, CHANGE_CLASS_COUNT> observed{};
    // Every row: 3 x length, and the tally's distinct variants in the region
    // whose base differs from the reference letter.
    int32_t possible_all = 0;
    int32_t observed_all = 0;
    // tRNAs (stem and loop slots) and rRNAs (stem and non-stem) on the
    // built-in human reference only.
    bool structure = false;
    int32_t possible_stem = 0, observed_stem = 0;
    int32_t possible_loop = 0, observed_loop = 0;          // tRNA loops
    int32_t possible_non_stem = 0, observed_non_stem = 0;  // rRNA non-stem
};

// The class of a codon change, or none (-1) for a codon not in the table.
// A changed initiation codon that still starts the protein counts as
// synonymous, a lost one as missense.
int change_class(const CodonChange& change);
int change_class(CodonConsequence consequence);

// One row per protein gene (table order), tRNA and rRNA (RNA table order)
// and the D-loop (which may wrap across the origin).
std::vector<GeneTableRow> gene_table_rows(const Workspace& ws);

const std::vector<std::string>& gene_table_header();

// The calls of each group in one region, over the tally's variants of the
// region whose base differs from the reference letter: samples counts calls
// (a sample once per variant), max_level their highest level. Entry
// g * rows.size() + r for the r-th row of gene_table_rows and the g-th
// group of table_group_names.
std::vector<VariantCarriers> gene_group_calls(const Workspace& ws, const SampleGroups& groups,
                                              const std::vector<GeneTableRow>& rows);

// The table in the requested form; fractions and pN/pS with four decimals,
// empty where the division is undefined. Each region has a row for "all",
// then one per group of the groups file.
Report gene_table_report(const Workspace& ws, ReportFormat format);
Report gene_table_report(const Workspace& ws, const SampleGroups& groups, ReportFormat format);

}  // namespace corvella
