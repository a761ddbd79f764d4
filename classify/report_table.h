// Small builders shared by the report functions: one table row as a text
// line or as workbook cells.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/workspace.h"
#include "output/report.h"

namespace corvella {

// The fields joined by single TABs, ended by "\n". No quoting: a field is
// written with whatever characters it holds.
std::string tab_line(const std::vector<std::string>& fields);

// The fields as cells of `row`, from column 1 on.
void add_row_cells(std::vector<Cell>& cells, int32_t row, const std::vector<std::string>& fields);

// Fills the requested form of a report row by row: a row is a TAB line in
// the text form and cells of its workbook row in the workbook form.
class ReportTable {
public:
    explicit ReportTable(ReportFormat format) : format_(format) {}
    bool is_text() const { return format_ == ReportFormat::Text; }
    void row(int32_t workbook_row, const std::vector<std::string>& fields);
    // Text form only: a line exactly as given ("\n" included).
    void text_line(const std::string& line);
    Report take() { return std::move(report_); }

private:
    ReportFormat format_;
    Report report_;
};

// Drives the progress window of a workbook report: start(maximum) at
// construction, one step per item, finish(). Silent for the text form and
// without a sink, so the report loops need not ask.
class ReportProgress {
public:
    ReportProgress(ProgressSink* sink, ReportFormat format, int32_t maximum);
    // One step whose caption shows ceil(k / n * 100).
    void step(int64_t k, int64_t n);
    void finish();

private:
    ProgressSink* sink_;
};

// The rows that one tally entry gives in a per-position report.
using TallyRows = std::function<std::vector<std::vector<std::string>>(const VariantKey&, int32_t)>;

// A per-position report: the header, then the rows of every tally entry in
// tally order. The workbook form steps the progress once per entry, after
// all of its rows, counting the entries from 1.
Report tally_report(const Workspace& ws, ReportFormat format, ProgressSink* progress,
                    const std::vector<std::string>& header, const TallyRows& rows_of);

}  // namespace corvella
