#include "cli/report_kinds.h"

#include <vector>

#include "classify/protein_counting.h"
#include "classify/protein_reports.h"
#include "classify/non_protein.h"
#include "classify/non_protein_reports.h"

namespace corvella::cli {

namespace {

Report protein_report(const Workspace& ws, Table table, ReportFormat format) {
    switch (table) {
        case Table::Summary:
            return protein_summary_report(ws, count_protein_variants(ws, ws.variant_tally), format);
        case Table::Positions:
            return protein_per_position_report(ws, format, nullptr);
        case Table::Samples:
            return protein_per_sample_report(ws, format, nullptr);
    }
    return {};
}

Report non_protein_report(const Workspace& ws, Table table, ReportFormat format) {
    switch (table) {
        case Table::Summary:
            return non_protein_summary_report(
                ws, non_protein_grid_texts(count_non_protein(ws, ws.variant_tally)), format);
        case Table::Positions:
            return non_protein_per_position_report(ws, format, nullptr);
        case Table::Samples:
            return non_protein_per_sample_report(ws, format, nullptr);
    }
    return {};
}

const std::vector<ReportKind>& kinds() {
    static const std::vector<ReportKind> k = {
        {"protein", false,
         [](const Workspace& ws) { return protein_chart_spec(count_protein_variants(ws, ws.variant_tally)); },
         protein_report},
        {"nonprotein", false,
         [](const Workspace& ws) { return non_protein_chart(count_non_protein(ws, ws.variant_tally)); },
         non_protein_report},
    };
    return k;
}

}  // namespace

const ReportKind* find_report_kind(const std::string& name) {
    for (const ReportKind& k : kinds())
        if (k.name == name) return &k;
    return nullptr;
}

std::optional<Table> parse_table(const std::string& name) {
    if (name == "summary") return Table::Summary;
    if (name == "positions") return Table::Positions;
    if (name == "samples") return Table::Samples;
    return std::nullopt;
}

}  // namespace corvella::cli
