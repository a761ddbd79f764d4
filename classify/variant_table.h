// The variant table: one row per distinct variant of the tally and per region
// that holds its position, with its carriers in the cohort (how many samples,
// homoplasmic or heteroplasmic, the highest level) and every classification
// the per-position reports make, in HGVS and Sequence Ontology terms.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classify/variant_annotation.h"
#include "core/workspace.h"
#include "input/sample_groups.h"
#include "output/report.h"

namespace corvella {

// A carrier at this level or above counts as homoplasmic.
constexpr float HOMOPLASMIC_LEVEL = 0.95f;
// A carrier at this level or above (and below HOMOPLASMIC_LEVEL) counts in
// AC_het; below it a call is in neither AC_hom nor AC_het.
constexpr float HETEROPLASMIC_LEVEL = 0.10f;

struct VariantCarriers {
    int32_t samples = 0;        // sample-list entries that carry the variant (once each)
    int32_t homoplasmic = 0;    // of those, at level >= HOMOPLASMIC_LEVEL
    int32_t heteroplasmic = 0;  // the others
    float max_level = 0;        // highest level among the carriers
    int32_t het_calls = 0;      // of the heteroplasmic, at level >= HETEROPLASMIC_LEVEL (AC_het)
    int32_t occurrences = 0;    // the calls, a sample's repeats among them
};

// The carriers of every tally key, in tally order. The level of an item is
// its entry of ws.sample_levels; when that list is empty (or does not match
// the sample lists item for item) every call has level 1. A sample that
// lists one variant twice carries it once, at the higher of its levels. The
// items that are a list's 309.1C (ws.sample_indels.dot_items) are
// insertions, not calls of their key.
std::vector<VariantCarriers> count_variant_carriers(const Workspace& ws);

// The same counted per group: entry g * (tally size) + k holds the carriers
// of tally key k among the samples of group g (groups.of_sample). Without a
// groups file (of_sample empty) there is one group, every sample.
std::vector<VariantCarriers> count_group_carriers(const Workspace& ws, const SampleGroups& groups);

// The groups the tables write, in row order: "all", then the file's groups
// (none without a groups file).
std::vector<std::string> table_group_names(const SampleGroups& groups);

// The trailing columns every table row per group gets: "Group", "AC_hom",
// "AC_het", "AF_hom", "AF_het", "max_hl".
const std::vector<std::string>& group_columns_header();
// `header` with those columns after it.
std::vector<std::string> with_group_columns(std::vector<std::string> header);

// Those columns for a group of n samples: the frequencies are over the n
// samples (empty when n is 0), max_hl empty without calls.
std::vector<std::string> group_columns(const std::string& group, const VariantCarriers& c, int64_t n);

// The samples of each group of table_group_names: every sample for "all".
std::vector<int64_t> table_group_sizes(const Workspace& ws, const SampleGroups& groups);

// The 26 column headers, "Position" ... "rRNA structure".
const std::vector<std::string>& variant_table_header();

// What the table writes of one tally key: REF and ALT as a VCF writes them,
// the variant as a list writes it and its annotations. A key whose base is
// the reference letter (a list's 309.1C is read so; its insertion has its
// own row), or whose reference letter or base is not one of A, C, G, T (the
// N at 3107, a base the data did not give), gives no annotations and no row.
struct TableVariant {
    std::string ref, alt, text;
    std::vector<VariantAnnotation> annotations;
};
TableVariant table_variant(const Workspace& ws, const VariantKey& key);

// The table in the requested form (text, or workbook cells with the header
// in row 1). The workbook form steps `progress` once per tally key; progress
// may be null.
// Each variant's rows come for "all" first, then for every group of the
// groups file whose samples carry it.
Report variant_table_report(const Workspace& ws, ReportFormat format, ProgressSink* progress);
Report variant_table_report(const Workspace& ws, const SampleGroups& groups, ReportFormat format,
                            ProgressSink* progress);

}  // namespace corvella
