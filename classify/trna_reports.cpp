#include "classify/trna_reports.h"

#include "classify/report_table.h"
#include "input/polymorphism_list.h"

namespace corvella {

namespace {

void trna_summary(const TrnaSummaryGrid& grid, ReportTable& report) {
    if (!report.begin({static_cast<int32_t>(grid.rows.size()) + 1, 2})) return;
    // The two forms word the count column differently.
    report.row(1, {"Region", report.is_text() ? "No. of Positions" : "No. Positions"});
    int32_t row = 2;
    for (const auto& cells : grid.rows) report.row(row++, {cells[0], cells[1]});
    report.end();
}

void trna_per_position(const Workspace& ws, ReportTable& report, ProgressSink* progress) {
    tally_report(ws, report, progress, {"Position", "Base Change", "tRNA", "Region", "Frequency"},
                 [&ws](const VariantKey& key, int32_t count) {
                     std::vector<std::vector<std::string>> rows;
                     for (const TrnaPositionRow& r : trna_position_rows(ws, key.position, key.base, count))
                         rows.push_back({r.position_text, r.base_change, r.trna_name, r.slot_name,
                                         std::to_string(r.count)});
                     return rows;
                 });
}

void trna_per_sample(const Workspace& ws, ReportTable& report, ProgressSink* progress) {
    const size_t n = ws.sample_positions.size();
    if (!report.begin({static_cast<int32_t>(n) + 1, 1 + TRNA_CATEGORY_COUNT})) return;
    std::vector<std::string> header{"Sequence"};
    header.insert(header.end(), TRNA_CATEGORY_LABELS.begin(), TRNA_CATEGORY_LABELS.end());
    report.row(1, header);

    ReportProgress steps(progress, report.format(), static_cast<int32_t>(n));
    const TrnaSampleCounter counter(ws);
    for (size_t i = 0; i < n; ++i) {
        const TrnaSampleCounts counts = counter.count(ws.sample_positions[i]);
        std::vector<std::string> fields{sample_name(ws, i)};
        for (const int32_t c : counts.counts) fields.push_back(std::to_string(c));
        if (report.is_text()) {
            // Every field, the last count included, is followed by a TAB.
            std::string line;
            for (const std::string& f : fields) line += f + '\t';
            report.text_line(line + '\n');
        } else {
            report.row(static_cast<int32_t>(i) + 2, fields);
            if (report.stopped()) return;
        }
        steps.step(static_cast<int64_t>(i), static_cast<int64_t>(n));
    }
    steps.finish();
    report.end();
}

}  // namespace

Report trna_summary_report(const TrnaSummaryGrid& grid, ReportFormat format) {
    return ReportTable::build(format, [&](ReportTable& t) { trna_summary(grid, t); });
}

Report trna_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    return ReportTable::build(format, [&](ReportTable& t) { trna_per_position(ws, t, progress); });
}

Report trna_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    return ReportTable::build(format, [&](ReportTable& t) { trna_per_sample(ws, t, progress); });
}

void trna_summary_rows(const TrnaSummaryGrid& grid, RowSink& sink) {
    ReportTable t(sink);
    trna_summary(grid, t);
}

void trna_per_position_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress) {
    ReportTable t(sink);
    trna_per_position(ws, t, progress);
}

void trna_per_sample_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress) {
    ReportTable t(sink);
    trna_per_sample(ws, t, progress);
}

}  // namespace corvella
