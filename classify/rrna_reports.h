// The three reports of the rRNA structure window, in text or workbook form.
// The desktop window and corvella-cli call these same functions.
#pragma once

#include "classify/rrna_classification.h"
#include "core/workspace.h"
#include "output/report.h"
#include "output/row_sink.h"

namespace corvella {

// The grid as shown: "Region", "12S", "16S", then the rows Stem and Non-stem.
Report rrna_summary_report(const RrnaSummaryGrid& grid, ReportFormat format);

// Every row of rrna_position_rows for every tally entry in tally order. The
// workbook form steps the progress once per tally entry, k from 1.
Report rrna_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress);

// Two blocks, 12S then 16S, each with a title line, a header and one row per
// entry of the sample lists; an empty line between them, in the workbook
// too. The workbook form runs the progress over both walks (maximum 2n),
// counting k from 0 again in the second walk.
Report rrna_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress);

// The workbook forms of the three reports as rows handed to `sink` in row
// order, the sheet's extent declared first: the same cells that the Report
// forms collect. A refused extent ends the report before its progress starts.
void rrna_summary_rows(const RrnaSummaryGrid& grid, RowSink& sink);
void rrna_per_position_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress);
void rrna_per_sample_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress);

}  // namespace corvella
