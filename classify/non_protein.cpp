#include "classify/non_protein.h"

#include <algorithm>
#include <utility>

namespace corvella {

NonProteinLocation locate_non_protein(const Workspace& ws, int32_t p) {
    NonProteinLocation loc;
    loc.in_dloop = ws.is_dloop(p);
    for (int k = 0; k < PROTEIN_GENE_COUNT && !loc.in_protein_gene; ++k)
        loc.in_protein_gene = ws.in_protein_gene(k, p);
    for (int k = 0; k < RNA_GENE_COUNT; ++k)
        if (ws.in_rna_gene(k, p)) loc.rna_rows.push_back(k);
    return loc;
}

NonProteinCounts count_non_protein(const Workspace& ws, const VariantTally& tally) {
    NonProteinCounts counts;
    for (const auto& entry : tally) {
        const NonProteinLocation loc = locate_non_protein(ws, entry.first.position);
        if (loc.in_dloop) ++counts.dloop;
        if (!loc.rna_rows.empty()) ++counts.rna[static_cast<size_t>(loc.rna_rows.front())];
        if (loc.non_coding()) ++counts.noncoding;
    }
    return counts;
}

std::vector<PositionRegion> position_regions(const Workspace& ws, int32_t p) {
    const NonProteinLocation loc = locate_non_protein(ws, p);
    std::vector<PositionRegion> regions;
    if (loc.in_dloop) regions.push_back({RegionKind::DLoop});
    for (int row : loc.rna_rows) regions.push_back({RegionKind::Rna, row});
    if (loc.non_coding()) regions.push_back({RegionKind::NonCoding});
    return regions;
}

namespace {

void add_location(const NonProteinLocation& loc, NonProteinCounts& counts) {
    for (int row : loc.rna_rows) ++counts.rna[static_cast<size_t>(row)];
    if (loc.in_dloop) ++counts.dloop;
    if (loc.non_coding()) ++counts.noncoding;
}

void add_total(NonProteinCounts& counts) {
    counts.total = counts.dloop + counts.noncoding;
    for (int32_t n : counts.rna) counts.total += n;
}

constexpr uint8_t IN_DLOOP = 1;
constexpr uint8_t NON_CODING = 2;

}  // namespace

NonProteinCounts count_sample_non_protein(const Workspace& ws, PositionView positions) {
    NonProteinCounts counts;
    for (int32_t p : positions) add_location(locate_non_protein(ws, p), counts);
    add_total(counts);
    return counts;
}

NonProteinSampleCounter::NonProteinSampleCounter(const Workspace& ws) : ws_(ws) {
    // Positions 1 up to the end of the reference or of the furthest region;
    // a region table reaching past millions of positions is not indexed.
    int64_t last = static_cast<int64_t>(ws.ref_sequence.size());
    for (int32_t bound : ws.region_table) last = std::max<int64_t>(last, bound);
    last = std::min<int64_t>(last, int64_t{1} << 22);
    begin_.reserve(static_cast<size_t>(last) + 2);
    flags_.reserve(static_cast<size_t>(last) + 1);
    begin_.push_back(0);  // position 0 is located one by one
    flags_.push_back(0);
    for (int32_t p = 1; p <= last; ++p) {
        begin_.push_back(static_cast<uint32_t>(rows_.size()));
        const NonProteinLocation loc = locate_non_protein(ws, p);
        for (int row : loc.rna_rows) rows_.push_back(static_cast<int8_t>(row));
        flags_.push_back(static_cast<uint8_t>((loc.in_dloop ? IN_DLOOP : 0) | (loc.non_coding() ? NON_CODING : 0)));
    }
    begin_.push_back(static_cast<uint32_t>(rows_.size()));
}

NonProteinCounts NonProteinSampleCounter::count(PositionView positions) const {
    NonProteinCounts counts;
    const auto last = static_cast<int32_t>(flags_.size()) - 1;
    for (const int32_t p : positions) {
        if (p < 1 || p > last) {
            add_location(locate_non_protein(ws_, p), counts);
            continue;
        }
        const auto i = static_cast<size_t>(p);
        for (uint32_t k = begin_[i]; k < begin_[i + 1]; ++k) ++counts.rna[static_cast<size_t>(rows_[k])];
        if (flags_[i] & IN_DLOOP) ++counts.dloop;
        if (flags_[i] & NON_CODING) ++counts.noncoding;
    }
    add_total(counts);
    return counts;
}

OverlapGroups non_protein_overlap_groups(const Workspace& ws, const std::vector<VariantKey>& variants) {
    OverlapGroups groups;
    for (const VariantKey& v : variants) {
        const NonProteinLocation loc = locate_non_protein(ws, v.position);
        if (loc.rna_rows.empty()) continue;
        const int first = loc.rna_rows.front();
        int second = -1;
        if (loc.rna_rows.size() > 1) second = loc.rna_rows.back();
        else if (loc.in_dloop) second = DLOOP_REGION_ROW;
        if (second < 0) continue;

        OverlapGroup* group = nullptr;
        for (OverlapGroup& g : groups)
            if (g.first_row == first && g.second_row == second) group = &g;
        if (group == nullptr) {
            groups.push_back({first, second, {}});
            group = &groups.back();
        }
        group->variants.push_back(v);
    }
    return groups;
}

std::vector<VariantKey> tally_variants(const VariantTally& tally) {
    std::vector<VariantKey> keys;
    keys.reserve(tally.size());
    for (const auto& entry : tally) keys.push_back(entry.first);
    return keys;
}

std::vector<VariantKey> sample_variants(const Workspace& ws, size_t entry) {
    std::vector<VariantKey> variants;
    if (entry >= ws.sample_positions.size()) return variants;
    const PositionView positions = ws.sample_positions[entry];
    const TextView bases = entry < ws.sample_bases.size() ? ws.sample_bases[entry] : TextView();
    variants.reserve(positions.size());
    for (size_t j = 0; j < positions.size(); ++j)
        variants.push_back({positions[j], j < bases.size() ? bases[j] : 'Z'});
    return variants;
}

std::string report_region_name(int row) {
    if (row == DLOOP_REGION_ROW) return "D-loop";
    if (row < 0 || row >= RNA_GENE_COUNT) return "";
    return RNA_GENE_NAMES[static_cast<size_t>(row)];
}

std::string qualified_rna_name(int row) {
    std::string name = report_region_name(row);
    switch (row) {
        case 2: return name + "(UUR)";
        case 11: return name + "(UCN)";
        case 17: return name + "(AGY)";
        case 18: return name + "(CUN)";
        default: return name;
    }
}

std::array<NonProteinBar, NON_PROTEIN_BAR_COUNT> non_protein_bars(const NonProteinCounts& counts) {
    std::array<NonProteinBar, NON_PROTEIN_BAR_COUNT> bars;
    bars[0] = {"D-loop", "D-loop", counts.dloop};
    bars[1] = {"12S rRNA", "12S-rRNA", counts.rna[RRNA_12S_ROW]};
    bars[2] = {"16S rRNA", "16S-rRNA", counts.rna[RRNA_16S_ROW]};
    for (int k = 0; k < TRNA_COUNT; ++k) {
        const auto row = static_cast<size_t>(k);
        bars[3 + row] = {qualified_rna_name(k), RNA_SHORT_NAMES[row], counts.rna[row]};
    }
    bars[NON_PROTEIN_BAR_COUNT - 1] = {"Non-coding", "Non-coding", counts.noncoding};
    return bars;
}

NonProteinGridTexts non_protein_grid_texts(const NonProteinCounts& counts) {
    NonProteinGridTexts texts;
    const auto bars = non_protein_bars(counts);
    for (size_t i = 0; i < bars.size(); ++i) texts[i] = {bars[i].grid_label, std::to_string(bars[i].count)};
    return texts;
}

ChartSpec non_protein_chart(const NonProteinCounts& counts) {
    ChartSpec chart;
    chart.title = "Number of Positions per Gene/Region";
    chart.left_axis_title = "Number of Positions";
    chart.legend_visible = false;
    chart.bottom_label_pixels = 9;  // 24 turned labels side by side
    ChartSeries series{"", CHART_BLUE, {}};
    const auto bars = non_protein_bars(counts);
    for (size_t i = 0; i < bars.size(); ++i)
        series.points.push_back({static_cast<double>(i + 1), static_cast<double>(bars[i].count), bars[i].chart_label});
    chart.series.push_back(std::move(series));
    return chart;
}

}  // namespace corvella
