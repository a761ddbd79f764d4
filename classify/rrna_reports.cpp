#include "classify/rrna_reports.h"

#include "classify/report_table.h"
#include "input/polymorphism_list.h"

namespace corvella {

namespace {

void rrna_summary(const RrnaSummaryGrid& grid, ReportTable& report) {
    if (!report.begin({static_cast<int32_t>(grid.rows.size()) + 1, 3})) return;
    report.row(1, {"Region", "12S", "16S"});
    int32_t row = 2;
    for (const auto& cells : grid.rows) report.row(row++, {cells[0], cells[1], cells[2]});
    report.end();
}

void rrna_per_position(const Workspace& ws, ReportTable& report, ProgressSink* progress) {
    tally_report(ws, report, progress, {"Position", "Base Change", "rRNA", "Region", "Frequency"},
                 [&ws](const VariantKey& key, int32_t count) {
                     std::vector<std::vector<std::string>> rows;
                     for (const RrnaPositionRow& r : rrna_position_rows(ws, key.position, key.base, count))
                         rows.push_back({r.position_text, r.base_change, rrna_name(r.rrna), stem_word(r.stem),
                                         std::to_string(r.count)});
                     return rows;
                 });
}

void rrna_per_sample(const Workspace& ws, ReportTable& report, ProgressSink* progress) {
    const size_t n = ws.sample_positions.size();
    // Each block: its title, its header, a row per sample; one empty row
    // between the blocks.
    if (!report.begin({2 * static_cast<int32_t>(n) + 5, 3})) return;
    const auto total = static_cast<int64_t>(2 * n);
    ReportProgress steps(progress, report.format(), static_cast<int32_t>(total));
    // The 16S block starts below the 12S rows and one empty row.
    int32_t block_row = 1;
    for (const Rrna r : RRNAS) {
        if (r == Rrna::S16) report.text_line("\n");
        report.row(block_row, {rrna_name(r)});
        report.row(block_row + 1, {"Sequence", "Stem", "Non-stem"});
        for (size_t i = 0; i < n; ++i) {
            const RrnaStemCounts c = count_sample_rrna(ws, ws.sample_positions[i], r);
            report.row(block_row + 2 + static_cast<int32_t>(i),
                       {sample_name(ws, i), std::to_string(c.stem), std::to_string(c.non_stem)});
            if (report.stopped()) return;
            steps.step(static_cast<int64_t>(i), total);
        }
        block_row += static_cast<int32_t>(n) + 3;
    }
    steps.finish();
    report.end();
}

}  // namespace

Report rrna_summary_report(const RrnaSummaryGrid& grid, ReportFormat format) {
    return ReportTable::build(format, [&](ReportTable& t) { rrna_summary(grid, t); });
}

Report rrna_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    return ReportTable::build(format, [&](ReportTable& t) { rrna_per_position(ws, t, progress); });
}

Report rrna_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    return ReportTable::build(format, [&](ReportTable& t) { rrna_per_sample(ws, t, progress); });
}

void rrna_summary_rows(const RrnaSummaryGrid& grid, RowSink& sink) {
    ReportTable t(sink);
    rrna_summary(grid, t);
}

void rrna_per_position_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress) {
    ReportTable t(sink);
    rrna_per_position(ws, t, progress);
}

void rrna_per_sample_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress) {
    ReportTable t(sink);
    rrna_per_sample(ws, t, progress);
}

}  // namespace corvella
