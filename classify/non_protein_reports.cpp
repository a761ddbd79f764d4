#include "classify/non_protein_reports.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "classify/variant_text.h"
#include "input/polymorphism_list.h"

namespace corvella {
namespace {

std::string overlap_label(const OverlapGroup& g) {
    return report_region_name(g.first_row) + "-" + report_region_name(g.second_row);
}

// "Label (4330A 4330)" lines between two empty lines.
void print_info_overlap_pos(const Workspace& ws, const OverlapGroups& groups, std::string& out) {
    out += "\n";
    for (const OverlapGroup& g : groups) {
        out += overlap_label(g) + " (";
        for (size_t j = 0; j < g.variants.size(); ++j) {
            if (j > 0) out += " ";
            out += variant_text(ws, g.variants[j].position, g.variants[j].base);
        }
        out += ")\n";
    }
    out += "\n";
}

// A group as cells from column `column` on: its label, then its variants;
// returns the column of the last cell.
int32_t put_group(RowCells& cells, int32_t column, const Workspace& ws, const OverlapGroup& g) {
    cells.push_back({column, overlap_label(g)});
    for (const VariantKey& v : g.variants) cells.push_back({++column, variant_text(ws, v.position, v.base)});
    return column;
}

// The group pair of every position, worked out once by the same grouping
// the report uses (a variant's group depends on its position alone), so
// that the widest sample row is known before the loop.
class GroupWidth {
public:
    explicit GroupWidth(const Workspace& ws) : ws_(ws), memo_(static_cast<size_t>(ws.reference_length()), UNKNOWN) {}

    int32_t last_column(size_t sample) {
        const auto& positions = ws_.sample_positions[sample];
        pairs_.clear();
        int32_t variants = 0;
        for (size_t i = 0; i < positions.size(); ++i) {
            const int32_t pair = pair_of(positions[i]);
            if (pair < 0) continue;
            ++variants;
            if (std::find(pairs_.begin(), pairs_.end(), pair) == pairs_.end()) pairs_.push_back(pair);
        }
        if (pairs_.empty()) return 28;
        return 29 + variants + 2 * static_cast<int32_t>(pairs_.size()) - 1;
    }

private:
    static constexpr int32_t UNKNOWN = -2;

    int32_t pair_of(int32_t position) {
        if (position < 1 || position > ws_.reference_length()) return group_pair(position);
        int32_t& p = memo_[static_cast<size_t>(position - 1)];
        if (p == UNKNOWN) p = group_pair(position);
        return p;
    }

    int32_t group_pair(int32_t position) const {
        const OverlapGroups g = non_protein_overlap_groups(ws_, {VariantKey{position, 'Z'}});
        return g.empty() ? -1 : g.front().first_row * 64 + g.front().second_row;
    }

    const Workspace& ws_;
    std::vector<int32_t> memo_;
    std::vector<int32_t> pairs_;
};

std::string region_text(const PositionRegion& region, ReportFormat format) {
    switch (region.kind) {
        case RegionKind::DLoop: return "D-loop";
        case RegionKind::Rna: return qualified_rna_name(region.rna_row);
        case RegionKind::NonCoding: break;
    }
    return format == ReportFormat::Text ? "Non-Coding" : "Non-coding";
}

// The 24 RNA counts, D-loop, non-coding and total, in column order.
std::vector<int32_t> sample_count_fields(const NonProteinCounts& counts) {
    std::vector<int32_t> fields(counts.rna.begin(), counts.rna.end());
    fields.push_back(counts.dloop);
    fields.push_back(counts.noncoding);
    fields.push_back(counts.total);
    return fields;
}

}  // namespace

Report non_protein_summary_report(const Workspace& ws, const NonProteinGridTexts& grid, ReportFormat format) {
    if (format == ReportFormat::Workbook)
        return collect_cells([&](RowSink& sink) { non_protein_summary_rows(ws, grid, sink); });
    const OverlapGroups groups = non_protein_overlap_groups(ws, tally_variants(ws.variant_tally));
    Report report;
    report.text = "Gene/Region\tFrequencyNo. of Positions\n";
    for (const GridRowText& row : grid) report.text += row.label + "\t" + row.count + "\n";
    print_info_overlap_pos(ws, groups, report.text);
    return report;
}

void non_protein_summary_rows(const Workspace& ws, const NonProteinGridTexts& grid, RowSink& sink) {
    const OverlapGroups groups = non_protein_overlap_groups(ws, tally_variants(ws.variant_tally));
    // The grid rows from row 2, one group per row from row 30: label in
    // column 1, variants from column 2.
    SheetExtent extent{static_cast<int32_t>(grid.size()) + 1, 2};
    if (!groups.empty()) extent.rows = std::max(extent.rows, 29 + static_cast<int32_t>(groups.size()));
    for (const OverlapGroup& g : groups)
        extent.columns = std::max(extent.columns, 1 + static_cast<int32_t>(g.variants.size()));
    if (!sink.begin(extent)) return;
    if (!sink.row(1, {{1, "Gene/Region"}, {2, "No. Positions"}})) return;
    for (size_t i = 0; i < grid.size(); ++i)
        if (!sink.row(static_cast<int32_t>(i + 2), {{1, grid[i].label}, {2, grid[i].count}})) return;
    RowCells cells;
    for (size_t g = 0; g < groups.size(); ++g) {
        cells.clear();
        put_group(cells, 1, ws, groups[g]);
        if (!sink.row(static_cast<int32_t>(30 + g), cells)) return;
    }
    sink.end();
}

Report non_protein_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    if (format == ReportFormat::Workbook)
        return collect_cells([&](RowSink& sink) { non_protein_per_position_rows(ws, sink, progress); });
    Report report;
    report.text = "Position\tBase Change\tGene/Region\tFrequency\n";
    for (const auto& [key, count] : ws.variant_tally) {
        const std::string position = variant_text(ws, key.position, key.base);
        const std::string change = base_change_text(ws, key.position, key.base);
        for (const PositionRegion& region : position_regions(ws, key.position))
            report.text += position + "\t" + change + "\t" + region_text(region, format) + "\t" +
                           std::to_string(count) + "\n";
    }
    return report;
}

void non_protein_per_position_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress) {
    int32_t rows = 1;
    for (const auto& entry : ws.variant_tally)
        rows += static_cast<int32_t>(position_regions(ws, entry.first.position).size());
    if (!sink.begin({rows, 4})) return;
    if (!sink.row(1, {{1, "Position"}, {2, "Base Change"}, {3, "Gene/Region"}, {4, "Frequency"}})) return;
    const auto n = static_cast<int64_t>(ws.variant_tally.size());
    if (progress) progress->start(static_cast<int32_t>(n));
    int32_t row = 2;
    int64_t k = 0;
    for (const auto& [key, count] : ws.variant_tally) {
        const std::string position = variant_text(ws, key.position, key.base);
        const std::string change = base_change_text(ws, key.position, key.base);
        for (const PositionRegion& region : position_regions(ws, key.position)) {
            if (!sink.row(row++, {{1, position},
                                  {2, change},
                                  {3, region_text(region, ReportFormat::Workbook)},
                                  {4, std::to_string(count)}}))
                return;
        }
        ++k;
        if (progress) progress->step(progress_percent(k, n));
    }
    if (progress) progress->finish();
    sink.end();
}

Report non_protein_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    if (format == ReportFormat::Workbook)
        return collect_cells([&](RowSink& sink) { non_protein_per_sample_rows(ws, sink, progress); });
    Report report;
    report.text = "Sequence\t";
    for (int k = 0; k < NON_PROTEIN_REGION_ROWS; ++k) report.text += qualified_rna_name(k) + "\t";
    report.text += "Non-coding\tTotal\n";
    const size_t n = ws.sample_positions.size();
    const NonProteinSampleCounter counter(ws);
    std::string& t = report.text;
    t.reserve(t.size() + ws.sample_names.items().size() + n * 2 * (NON_PROTEIN_REGION_ROWS + 4));
    for (size_t i = 0; i < n; ++i) {
        const NonProteinCounts counts = counter.count(ws.sample_positions[i]);
        t += sample_name(ws, i);
        for (int32_t c : counts.rna) {
            t += '\t';
            append_decimal(t, c);
        }
        for (int32_t c : {counts.dloop, counts.noncoding, counts.total}) {
            t += '\t';
            append_decimal(t, c);
        }
        t += '\n';
    }
    return report;
}

void non_protein_per_sample_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress) {
    const size_t n = ws.sample_positions.size();
    SheetExtent extent{static_cast<int32_t>(n) + 1, 28};
    GroupWidth width(ws);
    for (size_t i = 0; i < n; ++i) extent.columns = std::max(extent.columns, width.last_column(i));
    if (!sink.begin(extent)) return;

    RowCells cells{{1, "Sequence"}};
    for (int k = 0; k < NON_PROTEIN_REGION_ROWS; ++k) cells.push_back({k + 2, qualified_rna_name(k)});
    cells.push_back({27, "Non-coding"});
    cells.push_back({28, "Total"});
    if (!sink.row(1, cells)) return;
    if (progress) progress->start(static_cast<int32_t>(n));
    const NonProteinSampleCounter counter(ws);
    for (size_t i = 0; i < n; ++i) {
        const std::vector<int32_t> fields = sample_count_fields(counter.count(ws.sample_positions[i]));
        cells.clear();
        cells.push_back({1, sample_name(ws, i)});
        for (size_t f = 0; f < fields.size(); ++f)
            cells.push_back({static_cast<int32_t>(f + 2), std::to_string(fields[f])});
        int32_t c = 29;
        for (const OverlapGroup& g : non_protein_overlap_groups(ws, sample_variants(ws, i)))
            c = put_group(cells, c + 1, ws, g) + 1;
        if (!sink.row(static_cast<int32_t>(i + 2), cells)) return;
        if (progress) progress->step(progress_percent(static_cast<int64_t>(i), static_cast<int64_t>(n)));
    }
    if (progress) progress->finish();
    sink.end();
}

}  // namespace corvella
