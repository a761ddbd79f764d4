// The three table reports of the protein counting window: the summary per
// gene with the overlap and stop findings, one row per classified variant and
// gene, and one row per sample. Each returns the form that was asked for; the
// desktop window and corvella-cli hand it to the same writers.
#pragma once

#include <array>
#include <string>

#include "classify/protein_counting.h"
#include "core/workspace.h"
#include "output/report.h"
#include "output/row_sink.h"

namespace corvella {

// Summary: the 14 grid rows rendered from `counts` (genes, then TOTAL), then
// the overlap groups and stop variants of the variant tally. Workbook: the
// grid in rows 1 to 15, row 16 empty, one row per group from row 17, then the
// "STOP" row.
Report protein_summary_report(const Workspace& ws, const ProteinCounts& counts, ReportFormat format);

// Columns 1 to 12 of a per-position row for the variant `key` in `gene`
// (which must hold its position): variant text, base change, gene, Syn or
// Non-Syn, both codons with U for T, codon position, both amino acids, amino
// acid position, both polarity classes.
std::array<std::string, 12> line_result_syn(const Workspace& ws, const VariantKey& key, int gene);

// One row per (tally key, gene holding its position), in tally then gene
// order, with the key's count as column 13. The workbook form steps
// `progress` once per tally key, rows or not; progress may be null.
Report protein_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress);

// Per sample: synonymous and non-synonymous counts per gene over every
// occurrence in the sample, in two tables. The workbook form also writes the
// sample's overlap and stop findings along its synonymous row from column 17
// and steps `progress` once per sample; progress may be null.
Report protein_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress);

// The workbook forms of the three reports as rows handed to `sink` in row
// order, the sheet's extent declared first: the same cells that the Report
// forms collect. A refused extent ends the report before its progress
// starts. The per-sample form finds its widest findings row before the
// loop, and keeps the non-synonymous counts (not cells) until the
// synonymous block is written.
void protein_summary_rows(const Workspace& ws, const ProteinCounts& counts, RowSink& sink);
void protein_per_position_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress);
void protein_per_sample_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress);

}  // namespace corvella
