#include "classify/non_protein_reports.h"

#include <string>
#include <utility>
#include <vector>

#include "classify/variant_text.h"
#include "core/polymorphism_list.h"

namespace corvella {
namespace {

std::string overlap_label(const OverlapGroup& g) {
    return report_region_name(g.first_row) + "-" + report_region_name(g.second_row);
}

void add(std::vector<Cell>& cells, int32_t row, int32_t column, std::string text) {
    cells.push_back({row, column, std::move(text)});
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

// One group per row from row 30: label in column 1, variants from column 2.
void print_info_overlap_pos(const Workspace& ws, const OverlapGroups& groups, std::vector<Cell>& cells) {
    for (size_t g = 0; g < groups.size(); ++g) {
        const auto row = static_cast<int32_t>(30 + g);
        add(cells, row, 1, overlap_label(groups[g]));
        const auto& variants = groups[g].variants;
        for (size_t j = 0; j < variants.size(); ++j)
            add(cells, row, static_cast<int32_t>(j + 2), variant_text(ws, variants[j].position, variants[j].base));
    }
}

// A sample's groups along its row from column 30, one empty column between
// groups; column 29 stays empty.
void print_info_overlap_pos_sample(const Workspace& ws, const OverlapGroups& groups, int32_t row,
                                   std::vector<Cell>& cells) {
    int32_t c = 29;
    for (const OverlapGroup& g : groups) {
        add(cells, row, ++c, overlap_label(g));
        for (const VariantKey& v : g.variants) add(cells, row, ++c, variant_text(ws, v.position, v.base));
        ++c;
    }
}

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
    Report report;
    const OverlapGroups groups = non_protein_overlap_groups(ws, tally_variants(ws.variant_tally));
    if (format == ReportFormat::Text) {
        report.text = "Gene/Region\tFrequencyNo. of Positions\n";
        for (const GridRowText& row : grid) report.text += row.label + "\t" + row.count + "\n";
        print_info_overlap_pos(ws, groups, report.text);
        return report;
    }
    add(report.cells, 1, 1, "Gene/Region");
    add(report.cells, 1, 2, "No. Positions");
    for (size_t i = 0; i < grid.size(); ++i) {
        add(report.cells, static_cast<int32_t>(i + 2), 1, grid[i].label);
        add(report.cells, static_cast<int32_t>(i + 2), 2, grid[i].count);
    }
    print_info_overlap_pos(ws, groups, report.cells);
    return report;
}

Report non_protein_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    Report report;
    const bool workbook = format == ReportFormat::Workbook;
    if (!workbook) report.text = "Position\tBase Change\tGene/Region\tFrequency\n";
    else {
        add(report.cells, 1, 1, "Position");
        add(report.cells, 1, 2, "Base Change");
        add(report.cells, 1, 3, "Gene/Region");
        add(report.cells, 1, 4, "Frequency");
    }
    const auto n = static_cast<int64_t>(ws.variant_tally.size());
    if (workbook && progress) progress->start(static_cast<int32_t>(n));
    int32_t row = 2;
    int64_t k = 0;
    for (const auto& [key, count] : ws.variant_tally) {
        const std::string position = variant_text(ws, key.position, key.base);
        const std::string change = base_change_text(ws, key.position, key.base);
        for (const PositionRegion& region : position_regions(ws, key.position)) {
            const std::string name = region_text(region, format);
            if (!workbook) {
                report.text += position + "\t" + change + "\t" + name + "\t" + std::to_string(count) + "\n";
                continue;
            }
            add(report.cells, row, 1, position);
            add(report.cells, row, 2, change);
            add(report.cells, row, 3, name);
            add(report.cells, row, 4, std::to_string(count));
            ++row;
        }
        ++k;
        if (workbook && progress) progress->step(progress_percent(k, n));
    }
    if (workbook && progress) progress->finish();
    return report;
}

Report non_protein_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    Report report;
    const bool workbook = format == ReportFormat::Workbook;
    if (!workbook) {
        report.text = "Sequence\t";
        for (int k = 0; k < NON_PROTEIN_REGION_ROWS; ++k) report.text += qualified_rna_name(k) + "\t";
        report.text += "Non-coding\tTotal\n";
    } else {
        add(report.cells, 1, 1, "Sequence");
        for (int k = 0; k < NON_PROTEIN_REGION_ROWS; ++k) add(report.cells, 1, k + 2, qualified_rna_name(k));
        add(report.cells, 1, 27, "Non-coding");
        add(report.cells, 1, 28, "Total");
    }
    const size_t n = ws.sample_positions.size();
    if (workbook && progress) progress->start(static_cast<int32_t>(n));
    const NonProteinSampleCounter counter(ws);
    for (size_t i = 0; i < n; ++i) {
        const std::string name = sample_name(ws, i);
        const std::vector<int32_t> fields = sample_count_fields(counter.count(ws.sample_positions[i]));
        if (!workbook) {
            report.text += name + "\t";
            for (size_t f = 0; f < fields.size(); ++f)
                report.text += std::to_string(fields[f]) + (f + 1 < fields.size() ? "\t" : "\n");
            continue;
        }
        const auto row = static_cast<int32_t>(i + 2);
        add(report.cells, row, 1, name);
        for (size_t f = 0; f < fields.size(); ++f)
            add(report.cells, row, static_cast<int32_t>(f + 2), std::to_string(fields[f]));
        print_info_overlap_pos_sample(ws, non_protein_overlap_groups(ws, sample_variants(ws, i)), row, report.cells);
        if (progress) progress->step(progress_percent(static_cast<int64_t>(i), static_cast<int64_t>(n)));
    }
    if (workbook && progress) progress->finish();
    return report;
}

}  // namespace corvella
