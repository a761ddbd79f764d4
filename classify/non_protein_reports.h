// The reports of the non-protein window: summary with overlap groups, one row
// per variant and region, one row per sample. Each function builds the form
// that was asked for; the window and corvella-cli both call them.
#pragma once

#include "classify/non_protein.h"
#include "core/workspace.h"
#include "output/report.h"
#include "output/row_sink.h"

namespace corvella {

// The 26 grid rows as the window shows them (labels and counts), followed by
// the overlap groups of the tally keys. The text form ends with one empty
// line before and one after the groups, so without groups it ends in two
// empty lines. Workbook: rows 2..27 for the grid rows, groups from row 30.
Report non_protein_summary_report(const Workspace& ws, const NonProteinGridTexts& grid, ReportFormat format);

// One row per tally key and region of its position, with the key's
// occurrence count; a variant only in protein genes gives no row. The
// workbook form steps `progress` after each tally key (k from 1).
Report non_protein_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress);

// One row per entry of the sample lists with its counts; the workbook form
// adds the entry's overlap groups from column 30 and steps `progress` after
// each sample (k from 0).
Report non_protein_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress);

// The workbook forms of the three reports as rows handed to `sink` in row
// order, the sheet's extent declared first: the same cells that the Report
// forms collect. A refused extent ends the report before its progress
// starts; the per-sample form finds its widest row of groups before the loop.
void non_protein_summary_rows(const Workspace& ws, const NonProteinGridTexts& grid, RowSink& sink);
void non_protein_per_position_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress);
void non_protein_per_sample_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress);

}  // namespace corvella
