// The tables of a loaded cohort written to files, in the form each file's
// name asks for: ".xlsx" an Excel workbook, ".xls" an Excel 97-2003
// workbook, anything else a text table. Every front end that writes a table
// (the command line's commands, the Python module) comes through here, so
// their files are the same bytes.
#pragma once

#include <functional>
#include <string>

#include "classify/report_kinds.h"
#include "core/workspace.h"
#include "input/sample_groups.h"
#include "output/report.h"
#include "output/write_result.h"

namespace corvella {

bool ends_with(const std::string& s, const std::string& tail);

// Builds the report in the form the path's name asks for and writes it there.
WriteResult save_table(const std::string& path, const std::function<Report(ReportFormat)>& build);

// One table of a counting kind; its workbook forms are streamed row by row.
WriteResult save_kind_table(const ReportKind& kind, Table table, const Workspace& ws, const std::string& path);

// The variant table and the gene table of the loaded cohort.
WriteResult save_variant_table(const Workspace& ws, const std::string& path);
WriteResult save_gene_table(const Workspace& ws, const std::string& path);
// The same with a row per group of `groups` beside the "all" rows.
WriteResult save_variant_table(const Workspace& ws, const SampleGroups& groups, const std::string& path);
WriteResult save_gene_table(const Workspace& ws, const SampleGroups& groups, const std::string& path);

// The population statistics of the loaded cohort per region and group, with
// the outgroup's letters (empty: no outgroup).
WriteResult save_stats_table(const Workspace& ws, const SampleGroups& groups, const std::string& outgroup,
                             const std::string& path);

}  // namespace corvella
