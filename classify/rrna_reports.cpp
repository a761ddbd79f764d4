#include "classify/rrna_reports.h"

#include "classify/report_table.h"
#include "core/polymorphism_list.h"

namespace corvella {

Report rrna_summary_report(const RrnaSummaryGrid& grid, ReportFormat format) {
    ReportTable report(format);
    report.row(1, {"Region", "12S", "16S"});
    int32_t row = 2;
    for (const auto& cells : grid.rows) report.row(row++, {cells[0], cells[1], cells[2]});
    return report.take();
}

Report rrna_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    return tally_report(ws, format, progress, {"Position", "Base Change", "rRNA", "Region", "Frequency"},
                        [&ws](const VariantKey& key, int32_t count) {
                            std::vector<std::vector<std::string>> rows;
                            for (const RrnaPositionRow& r :
                                 rrna_position_rows(ws, key.position, key.base, count))
                                rows.push_back({r.position_text, r.base_change, rrna_name(r.rrna),
                                                stem_word(r.stem), std::to_string(r.count)});
                            return rows;
                        });
}

Report rrna_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    ReportTable report(format);
    const size_t n = ws.sample_positions.size();
    const auto total = static_cast<int64_t>(2 * n);
    ReportProgress steps(progress, format, static_cast<int32_t>(total));
    // The 16S block starts below the 12S rows and one empty row.
    int32_t block_row = 1;
    for (const Rrna r : RRNAS) {
        if (r == Rrna::S16) report.text_line("\n");
        report.row(block_row, {rrna_name(r)});
        report.row(block_row + 1, {"Sequence", "Stem", "Non-stem"});
        for (size_t i = 0; i < n; ++i) {
            const RrnaStemCounts c = count_sample_rrna(ws, ws.sample_positions[i], r);
            report.row(block_row + 2 + static_cast<int32_t>(i),
                       {sample_name(ws, i), std::to_string(c.stem),
                        std::to_string(c.non_stem)});
            steps.step(static_cast<int64_t>(i), total);
        }
        block_row += static_cast<int32_t>(n) + 3;
    }
    steps.finish();
    return report.take();
}

}  // namespace corvella
