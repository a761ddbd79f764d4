// The three reports of the tRNA structure window, in text or workbook form.
// The desktop window and corvella-cli call these same functions.
#pragma once

#include "classify/trna_classification.h"
#include "core/workspace.h"
#include "output/report.h"
#include "output/row_sink.h"

namespace corvella {

// The grid as shown: "Region" / "No. of Positions" ("No. Positions" in the
// workbook), then one row per group.
Report trna_summary_report(const TrnaSummaryGrid& grid, ReportFormat format);

// Every row of trna_position_rows for every tally entry in tally order. The
// workbook form steps the progress once per tally entry, k from 1.
Report trna_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress);

// One row per entry of the sample lists with its paired name and its nine
// category counts. Text data lines end with a TAB before the line end. The
// workbook form steps the progress once per entry, k from 0.
Report trna_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress);

// The workbook forms of the three reports as rows handed to `sink` in row
// order, the sheet's extent declared first: the same cells that the Report
// forms collect. A refused extent ends the report before its progress starts.
void trna_summary_rows(const TrnaSummaryGrid& grid, RowSink& sink);
void trna_per_position_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress);
void trna_per_sample_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress);

}  // namespace corvella
