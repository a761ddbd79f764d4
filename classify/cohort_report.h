// The HTML report of the cohort in the workspace: what was read, the genome
// map and the counting charts, the gene table, any further whole tables and
// the variant table (its most frequent variants above HTML_VARIANT_LIMIT).
#pragma once

#include <string>
#include <vector>

#include "core/workspace.h"
#include "output/html_report.h"

namespace corvella {

struct CohortReportParts {
    std::vector<std::string> inputs;  // the paths read
    std::string import_summary;       // the readers' summary; may be empty
    std::vector<HtmlFigure> charts;   // the counting charts as SVG, after the map
    std::vector<HtmlTable> tables;    // further tables, after the gene table
    std::string whole_variant_table;  // where the whole variant table is, for the note
};

HtmlReport cohort_html_report(const Workspace& ws, const CohortReportParts& parts);

}  // namespace corvella
