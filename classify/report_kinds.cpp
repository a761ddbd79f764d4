#include "classify/report_kinds.h"

#include <vector>

#include "classify/non_protein.h"
#include "classify/non_protein_reports.h"
#include "classify/protein_counting.h"
#include "classify/protein_reports.h"
#include "classify/rrna_classification.h"
#include "classify/rrna_reports.h"
#include "classify/trna_classification.h"
#include "classify/trna_reports.h"

namespace corvella {

namespace {

using TableReport = Report (*)(const Workspace&, ReportFormat, ProgressSink*);
using TableRows = void (*)(const Workspace&, RowSink&, ProgressSink*);

// A kind's three tables: the summary is built from the counts its menu
// command shows; the other two read the tally and the sample lists.
struct KindTables {
    std::function<Report(const Workspace&, ReportFormat)> summary;
    TableReport positions;
    TableReport samples;
};

struct KindRows {
    std::function<void(const Workspace&, RowSink&)> summary;
    TableRows positions;
    TableRows samples;
};

std::function<Report(const Workspace&, Table, ReportFormat)> dispatch(KindTables t) {
    return [t](const Workspace& ws, Table table, ReportFormat format) {
        switch (table) {
            case Table::Summary: return t.summary(ws, format);
            case Table::Positions: return t.positions(ws, format, nullptr);
            case Table::Samples: return t.samples(ws, format, nullptr);
        }
        return Report{};
    };
}

std::function<void(const Workspace&, Table, RowSink&)> dispatch_rows(KindRows t) {
    return [t](const Workspace& ws, Table table, RowSink& sink) {
        switch (table) {
            case Table::Summary: return t.summary(ws, sink);
            case Table::Positions: return t.positions(ws, sink, nullptr);
            case Table::Samples: return t.samples(ws, sink, nullptr);
        }
    };
}

const std::vector<ReportKind>& kinds() {
    static const std::vector<ReportKind> k = {
        {"protein", false,
         [](const Workspace& ws) { return protein_chart_spec(count_protein_variants(ws, ws.variant_tally)); },
         dispatch({[](const Workspace& ws, ReportFormat f) {
                       return protein_summary_report(ws, count_protein_variants(ws, ws.variant_tally), f);
                   },
                   protein_per_position_report, protein_per_sample_report}),
         dispatch_rows({[](const Workspace& ws, RowSink& sink) {
                            protein_summary_rows(ws, count_protein_variants(ws, ws.variant_tally), sink);
                        },
                        protein_per_position_rows, protein_per_sample_rows})},
        {"nonprotein", false,
         [](const Workspace& ws) { return non_protein_chart(count_non_protein(ws, ws.variant_tally)); },
         dispatch({[](const Workspace& ws, ReportFormat f) {
                       return non_protein_summary_report(
                           ws, non_protein_grid_texts(count_non_protein(ws, ws.variant_tally)), f);
                   },
                   non_protein_per_position_report, non_protein_per_sample_report}),
         dispatch_rows({[](const Workspace& ws, RowSink& sink) {
                            non_protein_summary_rows(
                                ws, non_protein_grid_texts(count_non_protein(ws, ws.variant_tally)), sink);
                        },
                        non_protein_per_position_rows, non_protein_per_sample_rows})},
        {"trna", true, [](const Workspace& ws) { return trna_chart(count_trna_groups(ws)); },
         dispatch({[](const Workspace& ws, ReportFormat f) {
                       return trna_summary_report(trna_summary_grid(count_trna_groups(ws)), f);
                   },
                   trna_per_position_report, trna_per_sample_report}),
         dispatch_rows({[](const Workspace& ws, RowSink& sink) {
                            trna_summary_rows(trna_summary_grid(count_trna_groups(ws)), sink);
                        },
                        trna_per_position_rows, trna_per_sample_rows})},
        {"rrna", true, [](const Workspace& ws) { return rrna_chart(count_rrna_regions(ws)); },
         dispatch({[](const Workspace& ws, ReportFormat f) {
                       return rrna_summary_report(rrna_summary_grid(count_rrna_regions(ws)), f);
                   },
                   rrna_per_position_report, rrna_per_sample_report}),
         dispatch_rows({[](const Workspace& ws, RowSink& sink) {
                            rrna_summary_rows(rrna_summary_grid(count_rrna_regions(ws)), sink);
                        },
                        rrna_per_position_rows, rrna_per_sample_rows})},
    };
    return k;
}

}  // namespace

const std::vector<ReportKind>& all_report_kinds() { return kinds(); }

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

}  // namespace corvella
