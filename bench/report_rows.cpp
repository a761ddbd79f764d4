#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

#include "bench/rows.h"
#include "classify/protein_counting.h"
#include "classify/non_protein.h"
#include "classify/non_protein_reports.h"
#include "classify/protein_reports.h"
#include "classify/rrna_classification.h"
#include "classify/rrna_reports.h"
#include "classify/trna_classification.h"
#include "classify/trna_reports.h"
#include "core/human_reference.h"
#include "input/polymorphism_list.h"
#include "output/text_writer.h"
#include "output/workbook_writer.h"

namespace corvella::bench {

namespace {

// What the desktop program's progress window receives, minus the painting.
class CountingSink : public ProgressSink {
public:
    void start(int32_t) override {}
    void step(int percent) override { last = percent; }
    void finish() override {}
    int last = 0;
};

// One counting window: the work its menu command does before the window
// opens, and its three reports. The counts live in the closures.
struct WindowOps {
    std::function<void(const Workspace&)> count;
    std::function<Report(const Workspace&, ReportFormat)> summary;
    std::function<Report(const Workspace&, ReportFormat, ProgressSink*)> per_position;
    std::function<Report(const Workspace&, ReportFormat, ProgressSink*)> per_sample;
};

void check_chart(const ChartSpec& chart);

WindowOps protein_ops() {
    auto counts = std::make_shared<ProteinCounts>();
    WindowOps ops;
    ops.count = [counts](const Workspace& ws) {
        *counts = count_protein_variants(ws, ws.variant_tally);
        const auto rows = protein_grid_rows(*counts);
        const ChartSpec chart = protein_chart_spec(*counts);
        if (rows.empty()) throw std::runtime_error("empty protein grid");
        check_chart(chart);
    };
    ops.summary = [counts](const Workspace& ws, ReportFormat f) { return protein_summary_report(ws, *counts, f); };
    ops.per_position = protein_per_position_report;
    ops.per_sample = protein_per_sample_report;
    return ops;
}

void check_chart(const ChartSpec& chart) {
    if (chart.series.empty()) throw std::runtime_error("empty chart");
}

WindowOps non_protein_ops() {
    auto grid = std::make_shared<NonProteinGridTexts>();
    WindowOps ops;
    ops.count = [grid](const Workspace& ws) {
        const NonProteinCounts counts = count_non_protein(ws, ws.variant_tally);
        *grid = non_protein_grid_texts(counts);
        check_chart(non_protein_chart(counts));
    };
    ops.summary = [grid](const Workspace& ws, ReportFormat f) { return non_protein_summary_report(ws, *grid, f); };
    ops.per_position = non_protein_per_position_report;
    ops.per_sample = non_protein_per_sample_report;
    return ops;
}

// The tRNA and rRNA windows: counts from the workspace, a summary grid and a
// chart from the counts, a summary report from the grid alone.
template <class Counts, class Grid>
WindowOps structure_ops(Counts (*count)(const Workspace&), Grid (*grid_of)(const Counts&),
                        ChartSpec (*chart_of)(const Counts&), Report (*summary)(const Grid&, ReportFormat),
                        Report (*per_position)(const Workspace&, ReportFormat, ProgressSink*),
                        Report (*per_sample)(const Workspace&, ReportFormat, ProgressSink*)) {
    auto grid = std::make_shared<Grid>();
    WindowOps ops;
    ops.count = [grid, count, grid_of, chart_of](const Workspace& ws) {
        const Counts counts = count(ws);
        *grid = grid_of(counts);
        check_chart(chart_of(counts));
    };
    ops.summary = [grid, summary](const Workspace&, ReportFormat f) { return summary(*grid, f); };
    ops.per_position = per_position;
    ops.per_sample = per_sample;
    return ops;
}

WindowOps window_ops(const std::string& window) {
    if (window == "protein") return protein_ops();
    if (window == "non-protein") return non_protein_ops();
    if (window == "trna")
        return structure_ops(count_trna_groups, trna_summary_grid, trna_chart, trna_summary_report,
                             trna_per_position_report, trna_per_sample_report);
    if (window == "rrna")
        return structure_ops(count_rrna_regions, rrna_summary_grid, rrna_chart, rrna_summary_report,
                             rrna_per_position_report, rrna_per_sample_report);
    throw std::runtime_error("unknown window " + window);
}

}  // namespace

Row run_window(const std::string& window, const std::string& what, const RunArgs& args) {
    Workspace ws;
    use_human_ref_data(ws);
    const int32_t entries = load_polymorphism_list(ws, args.input);
    if (entries < 0) throw std::runtime_error("cannot read " + args.input);
    WindowOps ops = window_ops(window);
    Row row;
    row.input = std::to_string(entries) + " samples";
    row.bytes = file_size(args.input);

    if (what == "count") {
        row.name = window + ": count";
        row.seconds = best_seconds(args.repeat, [&] { ops.count(ws); });
        row.amount = static_cast<double>(ws.variant_tally.size());
        row.unit = "keys";
        return row;
    }
    ops.count(ws);

    const size_t cut = what.find('_');
    const std::string kind = what.substr(0, cut), form = what.substr(cut + 1);
    const ReportFormat format = form == "text" ? ReportFormat::Text : ReportFormat::Workbook;
    const std::string path = args.out_dir + "/" + window + "_" + what + (form == "text" ? ".txt" : ".xls");
    CountingSink sink;
    Report report;
    WriteResult written;
    row.name = window + ": " + kind + " (" + form + ")";
    row.seconds = best_seconds(
        args.repeat, [&] { report = Report{}; },
        [&] {
            if (kind == "summary")
                report = ops.summary(ws, format);
            else if (kind == "position")
                report = ops.per_position(ws, format, &sink);
            else if (kind == "sample")
                report = ops.per_sample(ws, format, &sink);
            else
                throw std::runtime_error("unknown report " + kind);
            written = format == ReportFormat::Text ? write_text_file(path, report.text)
                                                   : WorkbookWriter(path, report.cells);
        });
    if (!written.ok) throw std::runtime_error(path + ": " + written.error);
    if (format == ReportFormat::Text) {
        row.amount = static_cast<double>(report.text.size()) / 1e6;
        row.unit = "MB";
    } else {
        row.amount = static_cast<double>(report.cells.size());
        row.unit = "cells";
    }
    row.note = std::to_string(file_size(path) / 1000) + " kB written";
    return row;
}

}  // namespace corvella::bench
