#include "cli/html_command.h"

#include "classify/cohort_report.h"
#include "classify/gene_table.h"
#include "classify/sample_classes.h"
#include "cli/chart_command.h"
#include "classify/report_kinds.h"
#include "input/converted_list.h"
#include "output/atomic_file.h"
#include "output/multiqc.h"

namespace corvella::cli {

WriteResult write_html_report(const Workspace& ws, const std::vector<std::string>& paths, const CohortRead& read,
                              const std::string& path, const std::string& whole_variant_table, int argc, char** argv) {
    CohortReportParts parts;
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

WriteResult write_multiqc_classes(const Workspace& ws, const std::string& path) {
    std::vector<std::string> categories;
    for (size_t c = 0; c < SAMPLE_CLASS_COUNT; ++c) categories.emplace_back(sample_class_name(static_cast<SampleClass>(c)));
    std::vector<std::pair<std::string, std::vector<int64_t>>> samples;
    for (const SampleClassCounts& s : sample_class_counts(ws))
        samples.emplace_back(s.name, std::vector<int64_t>(s.counts.begin(), s.counts.end()));
    const MultiqcSection section{"corvella_variant_classes", "Corvella: variants by class",
                                 "Each sample's variants by class: synonymous and non-synonymous changes in the "
                                 "protein genes, changes in the tRNAs, the rRNAs and the D-loop, counted as "
                                 "Corvella's per-sample reports count them."};
    return write_file_atomically(path, multiqc_bargraph_json(section, categories, samples, "Variants"));
}

WriteResult write_multiqc_genes(const Workspace& ws, const std::string& path) {
    const MultiqcSection section{"corvella_genes", "Corvella: gene table",
                                 "Per gene: the possible and the observed changes of the cohort (Corvella's gene "
                                 "table)."};
    return write_file_atomically(path, multiqc_table_tsv(section, gene_table_report(ws, ReportFormat::Text).text));
}

}  // namespace corvella::cli
