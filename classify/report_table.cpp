#include "classify/report_table.h"

namespace corvella {

std::string tab_line(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) line += '\t';
        line += fields[k];
    }
    line += '\n';
    return line;
}

void add_row_cells(std::vector<Cell>& cells, int32_t row, const std::vector<std::string>& fields) {
    int32_t column = 1;
    for (const std::string& f : fields) cells.push_back(Cell{row, column++, f});
}

void ReportTable::row(int32_t workbook_row, const std::vector<std::string>& fields) {
    if (is_text())
        report_.text += tab_line(fields);
    else
        add_row_cells(report_.cells, workbook_row, fields);
}

void ReportTable::text_line(const std::string& line) {
    if (is_text()) report_.text += line;
}

Report tally_report(const Workspace& ws, ReportFormat format, ProgressSink* progress,
                    const std::vector<std::string>& header, const TallyRows& rows_of) {
    ReportTable report(format);
    report.row(1, header);
    const auto n = static_cast<int64_t>(ws.variant_tally.size());
    ReportProgress steps(progress, format, static_cast<int32_t>(n));
    int32_t row = 2;
    int64_t k = 0;
    for (const auto& [key, count] : ws.variant_tally) {
        for (const auto& fields : rows_of(key, count)) report.row(row++, fields);
        steps.step(++k, n);
    }
    steps.finish();
    return report.take();
}

ReportProgress::ReportProgress(ProgressSink* sink, ReportFormat format, int32_t maximum)
    : sink_(format == ReportFormat::Workbook ? sink : nullptr) {
    if (sink_) sink_->start(maximum);
}

void ReportProgress::step(int64_t k, int64_t n) {
    if (sink_) sink_->step(progress_percent(k, n));
}

void ReportProgress::finish() {
    if (sink_) sink_->finish();
}

}  // namespace corvella
