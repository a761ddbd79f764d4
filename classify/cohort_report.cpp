#include "classify/cohort_report.h"

#include "classify/gene_table.h"
#include "classify/genome_map_layout.h"
#include "classify/variant_table.h"

namespace corvella {

HtmlReport cohort_html_report(const Workspace& ws, const CohortReportParts& parts) {
    HtmlReport report;
    const auto samples = static_cast<int64_t>(ws.sample_positions.size());
    int64_t calls = 0;
    for (const auto& [key, count] : ws.variant_tally) calls += count;
    report.title = "Corvella report: " + thousands(samples) + (samples == 1 ? " sample" : " samples");
    report.facts = {
        {"Reference", (ws.reference_accession.empty() ? std::string("(unnamed)") : ws.reference_accession) + ", " +
                          thousands(ws.reference_length()) + " bases" +
                          (ws.human_reference ? " (the built-in human reference)" : "")},
        {"Samples", thousands(samples)},
        {"Distinct variants", thousands(static_cast<int64_t>(ws.variant_tally.size()))},
        {"Variant calls", thousands(calls)},
    };
    report.inputs = parts.inputs;
    report.import_summary = parts.import_summary;

    const GenomeMap map = build_genome_map(ws);
    report.figures.push_back({"Genome map: each variant's bar as long as the square root of its share of samples",
                              genome_map_svg(map)});
    for (const HtmlFigure& chart : parts.charts) report.figures.push_back(chart);

    report.tables.push_back(
        html_table_from_text("genes", "Gene table", gene_table_report(ws, ReportFormat::Text).text));
    for (const HtmlTable& table : parts.tables) report.tables.push_back(table);
    HtmlTable variants =
        html_table_from_text("variants", "Variant table", variant_table_report(ws, ReportFormat::Text, nullptr).text);
    keep_most_frequent_variants(variants, HTML_VARIANT_LIMIT,
                                parts.whole_variant_table.empty() ? "written by corvella-cli annotate"
                                                                  : parts.whole_variant_table);
    report.tables.push_back(std::move(variants));
    return report;
}

}  // namespace corvella
