#include "classify/report_table.h"

#include <algorithm>

#include "output/excel_text.h"

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

RowCells row_cells(const std::vector<std::string>& fields, int32_t first_column) {
    RowCells cells;
    cells.reserve(fields.size());
    int32_t column = first_column;
    for (const std::string& f : fields) cells.push_back(RowCell{column++, f});
    return cells;
}

bool ReportTable::begin(const SheetExtent& extent) {
    if (is_text() || sink_ == nullptr) return true;
    if (!sink_->begin(extent)) stopped_ = true;
    return !stopped_;
}

void ReportTable::row(int32_t workbook_row, const std::vector<std::string>& fields) {
    if (is_text())
        report_.text += tab_line(fields);
    else
        cells_row(workbook_row, row_cells(fields));
}

void ReportTable::cells_row(int32_t workbook_row, const RowCells& cells) {
    if (is_text() || stopped_) return;
    if (sink_ == nullptr) {
        for (const RowCell& c : cells) report_.cells.push_back(Cell{workbook_row, c.column, c.text, c.number});
        return;
    }
    if (!sink_->row(workbook_row, cells)) stopped_ = true;
}

void ReportTable::text_line(const std::string& line) {
    if (is_text()) report_.text += line;
}

void ReportTable::end() {
    if (!is_text() && sink_ != nullptr && !stopped_) sink_->end();
}

Report ReportTable::build(ReportFormat format, const std::function<void(ReportTable&)>& fill) {
    ReportTable table(format);
    fill(table);
    return table.take();
}

void mark_number_columns(std::vector<Cell>& cells, int32_t first_row) {
    // Per column: 0 nothing yet, 1 numbers so far, -1 not a number column.
    std::vector<int8_t> kind;
    for (const Cell& c : cells) {
        if (c.row < first_row || c.column < 1 || c.text.empty()) continue;
        if (static_cast<size_t>(c.column) > kind.size()) kind.resize(static_cast<size_t>(c.column), 0);
        int8_t& k = kind[static_cast<size_t>(c.column - 1)];
        double value = 0;
        if (k >= 0) k = decimal_number(c.text, &value) ? 1 : -1;
    }
    for (Cell& c : cells)
        if (c.row >= first_row && c.column >= 1 && static_cast<size_t>(c.column) <= kind.size())
            c.number = kind[static_cast<size_t>(c.column - 1)] == 1;
}

void tally_report(const Workspace& ws, ReportTable& report, ProgressSink* progress,
                  const std::vector<std::string>& header, const TallyRows& rows_of) {
    std::vector<VariantTally::const_iterator> entries;
    entries.reserve(ws.variant_tally.size());
    for (auto it = ws.variant_tally.begin(); it != ws.variant_tally.end(); ++it) entries.push_back(it);
    entry_report(report, progress, header, entries.size(),
                 [&](size_t k) { return rows_of(entries[k]->first, entries[k]->second); });
}

void entry_report(ReportTable& report, ProgressSink* progress, const std::vector<std::string>& header, size_t count,
                  const EntryRows& rows_of) {
    const auto n = static_cast<int64_t>(count);
    if (report.is_text()) {
        report.row(1, header);
        for (size_t k = 0; k < count; ++k)
            for (const auto& fields : rows_of(k)) report.row(0, fields);
        return;
    }
    std::vector<std::vector<std::vector<std::string>>> rows;
    rows.reserve(count);
    int32_t last_row = 1;
    int32_t last_column = static_cast<int32_t>(header.size());
    for (size_t k = 0; k < count; ++k) {
        rows.push_back(rows_of(k));
        for (const auto& fields : rows.back()) last_column = std::max(last_column, static_cast<int32_t>(fields.size()));
        last_row += static_cast<int32_t>(rows.back().size());
    }
    if (!report.begin({last_row, last_column})) return;
    report.row(1, header);
    ReportProgress steps(progress, report.format(), static_cast<int32_t>(n));
    int32_t row = 2;
    int64_t k = 0;
    for (auto& entry : rows) {
        for (const auto& fields : entry) report.row(row++, fields);
        if (report.stopped()) return;
        entry.clear();
        entry.shrink_to_fit();
        steps.step(++k, n);
    }
    steps.finish();
    report.end();
}

Report tally_report(const Workspace& ws, ReportFormat format, ProgressSink* progress,
                    const std::vector<std::string>& header, const TallyRows& rows_of) {
    return ReportTable::build(format, [&](ReportTable& t) { tally_report(ws, t, progress, header, rows_of); });
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
