// `html` and `all --html`: the cohort's one-page HTML report, and the
// MultiQC sections that `all` writes beside its tables.
#pragma once

#include <string>
#include <vector>

#include "core/workspace.h"
#include "input/cohort_loader.h"
#include "output/write_result.h"

namespace corvella::cli {

// The report of the cohort in ws (read from `paths`) at `path`. The charts
// are painted offscreen; `whole_variant_table` says where the whole variant
// table is when the page holds only the most frequent variants.
WriteResult write_html_report(const Workspace& ws, const std::vector<std::string>& paths, const CohortRead& read,
                              const std::string& path, const std::string& whole_variant_table, int argc, char** argv);

// corvella_mqc.json: each sample's synonymous, non-synonymous, tRNA, rRNA and
// D-loop variants as a MultiQC bar graph.
WriteResult write_multiqc_classes(const Workspace& ws, const std::string& path);
// corvella_genes_mqc.tsv: the gene table as a MultiQC table.
WriteResult write_multiqc_genes(const Workspace& ws, const std::string& path);

}  // namespace corvella::cli
