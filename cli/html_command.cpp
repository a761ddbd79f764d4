#include "cli/html_command.h"

#include "classify/cohort_report.h"
#include "cli/chart_command.h"
#include "classify/report_kinds.h"
#include "input/converted_list.h"
#include "output/atomic_file.h"

namespace corvella::cli {

WriteResult write_html_report(const Workspace& ws, const std::vector<std::string>& paths, const CohortRead& read,
                              const std::string& path, const std::string& whole_variant_table, int argc, char** argv,
                              std::vector<HtmlTable> tables) {
    CohortReportParts parts;
    parts.tables = std::move(tables);
    parts.inputs = paths;
    if (read.has_summary()) parts.import_summary = import_summary_text(read.summary);
    parts.import_summary += read.alignment_summary;
    parts.whole_variant_table = whole_variant_table;
    std::vector<ChartSpec> charts;
    for (const ReportKind& kind : all_report_kinds())
        if (!kind.needs_human_reference || ws.human_reference) charts.push_back(kind.chart(ws));
    std::string reason;
    const std::vector<std::string> svgs = chart_svg_texts(charts, argc, argv, &reason);
    for (size_t i = 0; i < charts.size(); ++i)
        if (!svgs[i].empty()) parts.charts.push_back({charts[i].title, svgs[i]});
    return write_file_atomically(path, html_report(cohort_html_report(ws, parts)));
}

}  // namespace corvella::cli
