// Small builders shared by the report functions: one table row as a text
// line or as a workbook row handed to a row sink.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/workspace.h"
#include "output/report.h"
#include "output/row_sink.h"

namespace corvella {

// The fields joined by single TABs, ended by "\n". No quoting: a field is
// written with whatever characters it holds.
std::string tab_line(const std::vector<std::string>& fields);

// The fields as cells from `first_column` on.
RowCells row_cells(const std::vector<std::string>& fields, int32_t first_column = 1);

// Fills one form of a report row by row: a row is a TAB line in the text
// form and a row handed to the sink in the workbook form. Once the sink has
// refused or failed, every further row is dropped and stopped() is true, so
// the report loops can end early.
class ReportTable {
public:
    explicit ReportTable(ReportFormat format) : format_(format) {}  // Text, or Workbook collected as cells
    explicit ReportTable(RowSink& sink) : format_(ReportFormat::Workbook), sink_(&sink) {}

    bool is_text() const { return format_ == ReportFormat::Text; }
    ReportFormat format() const { return format_; }
    // Workbook form: declares the sheet's extent; false when the sink
    // refuses it. The text form ignores it.
    bool begin(const SheetExtent& extent);
    void row(int32_t workbook_row, const std::vector<std::string>& fields);
    void cells_row(int32_t workbook_row, const RowCells& cells);
    // Text form only: a line exactly as given ("\n" included).
    void text_line(const std::string& line);
    // After the last row.
    void end();
    bool stopped() const { return stopped_; }
    Report take() { return std::move(report_); }

    // Runs `fill` on a table of `format`: the text form as Report::text, the
    // workbook form collected into Report::cells.
    static Report build(ReportFormat format, const std::function<void(ReportTable&)>& fill);

private:
    ReportFormat format_;
    RowSink* sink_ = nullptr;
    bool stopped_ = false;
    Report report_;
};

// Marks the number columns of a table's workbook cells: a column is one when
// every cell it has from `first_row` on is a decimal number or empty, and at
// least one is a number (Position, Frequency, Max level, pN/pS ...). Its
// cells from `first_row` on are then number cells; a header stays text. The
// kind goes by what a column holds, so a column added to a table takes the
// right kind without a list of numeric columns to keep.
void mark_number_columns(std::vector<Cell>& cells, int32_t first_row);

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
// tally order, `rows_of` called once per entry. The workbook form builds
// the rows first and keeps them (a per-position table grows with the
// tally, not with the samples), declares the sheet's extent, then hands
// them over, stepping the progress once per entry after all of its rows,
// counting the entries from 1.
void tally_report(const Workspace& ws, ReportTable& report, ProgressSink* progress,
                  const std::vector<std::string>& header, const TallyRows& rows_of);

// The same over any list of entries: rows_of(k) for k = 0 .. count - 1.
using EntryRows = std::function<std::vector<std::vector<std::string>>(size_t)>;
void entry_report(ReportTable& report, ProgressSink* progress, const std::vector<std::string>& header, size_t count,
                  const EntryRows& rows_of);

// The same as a Report value.
Report tally_report(const Workspace& ws, ReportFormat format, ProgressSink* progress,
                    const std::vector<std::string>& header, const TallyRows& rows_of);

}  // namespace corvella
