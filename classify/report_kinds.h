// The counting windows as the command line sees them: for each KIND, the
// chart and the three tables that its window's save buttons write, built by
// the same report functions the windows call.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "output/chart_spec.h"
#include "output/report.h"
#include "output/row_sink.h"

namespace corvella {

enum class Table { Summary, Positions, Samples };

struct ReportKind {
    std::string name;                 // "protein", "nonprotein", "trna", "rrna"
    bool needs_human_reference;       // the structure windows work on the built-in reference only
    // The window's chart as it shows after its menu command.
    std::function<ChartSpec(const Workspace&)> chart;
    // What the window's save button for the table writes.
    std::function<Report(const Workspace&, Table, ReportFormat)> report;
    // The same table's workbook form, row by row into a workbook writer.
    std::function<void(const Workspace&, Table, RowSink&)> rows;
};

// Every kind, in the menu's order: protein, nonprotein, trna, rrna.
const std::vector<ReportKind>& all_report_kinds();
const ReportKind* find_report_kind(const std::string& name);
std::optional<Table> parse_table(const std::string& name);

}  // namespace corvella
