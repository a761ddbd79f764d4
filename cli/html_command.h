// `html` and `all --html`: the cohort's one-page HTML report.
#pragma once

#include <string>
#include <vector>

#include "core/workspace.h"
#include "input/cohort_loader.h"
#include "output/html_report.h"
#include "output/write_result.h"

namespace corvella::cli {

// The report of the cohort in ws (read from `paths`) at `path`. The charts
// are painted offscreen; `whole_variant_table` says where the whole variant
// table is when the page holds only the most frequent variants; `tables`
// follow the gene table.
WriteResult write_html_report(const Workspace& ws, const std::vector<std::string>& paths, const CohortRead& read,
                              const std::string& path, const std::string& whole_variant_table, int argc, char** argv,
                              std::vector<HtmlTable> tables = {});

}  // namespace corvella::cli
