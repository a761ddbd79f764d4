#include "classify/rrna_classification.h"

#include <algorithm>

#include "classify/variant_text.h"

namespace corvella {

const char* rrna_name(Rrna r) { return r == Rrna::S12 ? "12S" : "16S"; }

const char* stem_word(bool stem) { return stem ? "Stem" : "Non-stem"; }

namespace {

int rrna_gene_row(Rrna r) { return r == Rrna::S12 ? RRNA_12S_ROW : RRNA_16S_ROW; }

bool is_stem(Rrna r, int32_t relative) {
    if (r == Rrna::S12) return std::binary_search(STEMS_12S.begin(), STEMS_12S.end(), relative);
    return std::binary_search(STEMS_16S.begin(), STEMS_16S.end(), relative);
}

}  // namespace

std::optional<RrnaPlace> rrna_place_in(const Workspace& ws, Rrna r, int32_t p) {
    const int row = rrna_gene_row(r);
    if (!ws.in_rna_gene(row, p)) return std::nullopt;
    return RrnaPlace{r, is_stem(r, p - ws.rna_start(row) + 1)};
}

std::vector<RrnaPlace> rrna_place(const Workspace& ws, int32_t p) {
    std::vector<RrnaPlace> places;
    for (const Rrna r : RRNAS)
        if (const auto place = rrna_place_in(ws, r, p)) places.push_back(*place);
    return places;
}

RrnaCounts count_rrna_regions(const Workspace& ws) {
    RrnaCounts counts;
    for (const auto& entry : ws.variant_tally)
        for (const RrnaPlace& place : rrna_place(ws, entry.first.position))
            counts[place.rrna].add(place.stem);
    return counts;
}

std::vector<RrnaPositionRow> rrna_position_rows(const Workspace& ws, int32_t p, char base,
                                                int32_t count) {
    std::vector<RrnaPositionRow> rows;
    for (const RrnaPlace& place : rrna_place(ws, p))
        rows.push_back(RrnaPositionRow{variant_text(ws, p, base),
                                       base_change_text(ws, p, base), place.rrna, place.stem,
                                       count});
    return rows;
}

RrnaStemCounts count_sample_rrna(const Workspace& ws, PositionView positions,
                                 Rrna r) {
    RrnaStemCounts counts;
    for (const int32_t p : positions)
        if (const auto place = rrna_place_in(ws, r, p)) counts.add(place->stem);
    return counts;
}

RrnaSummaryGrid rrna_summary_grid(const RrnaCounts& counts) {
    const RrnaStemCounts& s12 = counts[Rrna::S12];
    const RrnaStemCounts& s16 = counts[Rrna::S16];
    RrnaSummaryGrid grid;
    grid.rows[0] = {stem_word(true), std::to_string(s12.stem), std::to_string(s16.stem)};
    grid.rows[1] = {stem_word(false), std::to_string(s12.non_stem), std::to_string(s16.non_stem)};
    return grid;
}

ChartSpec rrna_chart(const RrnaCounts& counts) {
    ChartSpec chart;
    chart.title = "Number of positions per rRNA region";
    chart.left_axis_title = "No. of positions";
    chart.legend_visible = true;
    for (const Rrna r : RRNAS) {
        const RrnaStemCounts& c = counts[r];
        chart.series.push_back(ChartSeries{
            rrna_name(r), r == Rrna::S12 ? CHART_BLUE : CHART_RED,
            {ChartPoint{1, static_cast<double>(c.stem), stem_word(true)},
             ChartPoint{2, static_cast<double>(c.non_stem), stem_word(false)}}});
    }
    return chart;
}

}  // namespace corvella
