// The variant table and the gene table as the command line writes them, and
// the annotated VCF.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "core/workspace.h"
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

// `annotate VCF -o OUT.vcf|.vcf.gz|.bcf`: the input's mitochondrial records
// with INFO/CSQ from the loaded reference; `annotate_record` (by record
// number) says which records get it, the others are written unchanged.
WriteResult save_annotated_vcf(const Workspace& ws, const std::string& input, const std::string& output,
                               bool index, const std::function<bool(int64_t record)>& annotate_record = {});

// The whole `annotate ... -o OUT.vcf` command: the input goes through the
// VCF reader first, with its refusals; the records it passes over are
// written without CSQ and counted on stderr. Returns the exit status.
int run_annotated_vcf(const std::vector<std::string>& operands, const InputOptions& options, const Workspace& ws,
                      const std::string& output, bool index);

}  // namespace corvella::cli
