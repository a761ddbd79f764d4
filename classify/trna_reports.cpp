#include "classify/trna_reports.h"

#include "classify/report_table.h"
#include "core/polymorphism_list.h"

namespace corvella {

Report trna_summary_report(const TrnaSummaryGrid& grid, ReportFormat format) {
    ReportTable report(format);
    // The two forms word the count column differently.
    report.row(1, {"Region", report.is_text() ? "No. of Positions" : "No. Positions"});
    int32_t row = 2;
    for (const auto& cells : grid.rows) report.row(row++, {cells[0], cells[1]});
    return report.take();
}

Report trna_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    return tally_report(ws, format, progress, {"Position", "Base Change", "tRNA", "Region", "Frequency"},
                        [&ws](const VariantKey& key, int32_t count) {
                            std::vector<std::vector<std::string>> rows;
                            for (const TrnaPositionRow& r :
                                 trna_position_rows(ws, key.position, key.base, count))
                                rows.push_back({r.position_text, r.base_change, r.trna_name,
                                                r.slot_name, std::to_string(r.count)});
                            return rows;
                        });
}

Report trna_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    ReportTable report(format);
    std::vector<std::string> header{"Sequence"};
    header.insert(header.end(), TRNA_CATEGORY_LABELS.begin(), TRNA_CATEGORY_LABELS.end());
    report.row(1, header);

    const size_t n = ws.sample_positions.size();
    ReportProgress steps(progress, format, static_cast<int32_t>(n));
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
        }
        steps.step(static_cast<int64_t>(i), static_cast<int64_t>(n));
    }
    steps.finish();
    return report.take();
}

}  // namespace corvella
