// The variant table and the gene table as the command line writes them, and
// the annotated VCF.
#pragma once

#include <functional>
#include <string>

#include "core/workspace.h"
#include "input/sample_groups.h"
#include "output/report.h"
#include "output/write_result.h"

namespace corvella::cli {

// Builds the table in the form the output's name asks for (".xlsx" or
// ".xls": a workbook; anything else: a text table) and writes it there.
WriteResult save_table(const std::string& output, const std::function<Report(ReportFormat)>& build);

// `annotate`: the variant table of the loaded cohort.
WriteResult save_variant_table(const Workspace& ws, const std::string& output);
// `genes`: the gene table.
WriteResult save_gene_table(const Workspace& ws, const std::string& output);

// `stats`: the population statistics of the loaded cohort.
WriteResult save_stats_table(const Workspace& ws, const SampleGroups& groups, const std::string& outgroup,
                             const std::string& output);

// `annotate VCF -o OUT.vcf|.vcf.gz|.bcf`: the input's mitochondrial records
// with INFO/CSQ from the loaded reference (no cohort needs to be read).
WriteResult save_annotated_vcf(const Workspace& ws, const std::string& input, const std::string& output,
                               bool index);

}  // namespace corvella::cli
