#include "classify/trna_classification.h"

#include <algorithm>

#include "classify/variant_text.h"

namespace corvella {

const std::array<const char*, TRNA_GROUP_COUNT> TRNA_GROUP_LABELS = {
    "Stem", "Loop", "Var. Region", "Other"};

const std::array<const char*, TRNA_CATEGORY_COUNT> TRNA_CATEGORY_LABELS = {
    "Acc-stem", "D-stem", "Ac-stem", "T-stem", "D-loop",
    "Anticd-loop", "T-loop", "Var. Region", "Other"};

namespace {

// The slot of p in tRNA row s when p lies in that gene's range of the
// region table; none otherwise.
std::optional<int> slot_in_gene(const Workspace& ws, int s, int32_t p) {
    if (!ws.in_rna_gene(s, p)) return std::nullopt;
    return trna_slot(s, p);
}

// tRNA-Ile ends where tRNA-Gln begins: these positions count in both.
bool goes_on_to_next_trna(int32_t p) { return 4329 <= p && p <= 4331; }

}  // namespace

TrnaGroupCounts count_trna_groups(const Workspace& ws) {
    TrnaGroupCounts counts;
    for (const auto& entry : ws.variant_tally) {
        const int32_t p = entry.first.position;
        for (int s = 0; s < TRNA_COUNT; ++s) {
            if (!ws.in_rna_gene(s, p)) continue;
            if (const auto slot = trna_slot(s, p))
                ++counts[TRNA_SLOT_GROUPS[static_cast<size_t>(*slot)]];
            if (!goes_on_to_next_trna(p)) break;
        }
    }
    return counts;
}

std::vector<TrnaPositionRow> trna_position_rows(const Workspace& ws, int32_t p, char base,
                                                int32_t count) {
    std::vector<TrnaPositionRow> rows;
    for (int s = 0; s < TRNA_COUNT; ++s) {
        const auto slot = slot_in_gene(ws, s, p);
        if (!slot) continue;
        rows.push_back(TrnaPositionRow{variant_text(ws, p, base),
                                       base_change_text(ws, p, base), TRNA_NAMES[s],
                                       TRNA_SLOT_NAMES[static_cast<size_t>(*slot)], count});
    }
    return rows;
}

TrnaSampleCounts count_sample_trna(const Workspace& ws, PositionView positions) {
    TrnaSampleCounts counts;
    for (const int32_t p : positions)
        for (int s = 0; s < TRNA_COUNT; ++s)
            if (const auto slot = slot_in_gene(ws, s, p))
                ++counts[TRNA_SLOT_CATEGORIES[static_cast<size_t>(*slot)]];
    return counts;
}

TrnaSampleCounter::TrnaSampleCounter(const Workspace& ws) {
    int64_t first = INT64_MAX, last = INT64_MIN;
    for (int s = 0; s < TRNA_COUNT; ++s) {
        if (ws.rna_start(s) > ws.rna_end(s)) continue;
        first = std::min<int64_t>(first, ws.rna_start(s));
        last = std::max<int64_t>(last, ws.rna_end(s));
    }
    if (first > last) return;  // no tRNA range: nothing is ever counted
    // A genome's tRNAs span some thousands of positions; a region table
    // spanning millions is not worth a table.
    constexpr int64_t MOST_POSITIONS = int64_t{1} << 22;
    if (last - first >= MOST_POSITIONS) {
        scan_ = &ws;
        return;
    }
    first_ = first;
    begin_.reserve(static_cast<size_t>(last - first + 2));
    for (int64_t p = first; p <= last; ++p) {
        begin_.push_back(static_cast<uint32_t>(categories_.size()));
        for (int s = 0; s < TRNA_COUNT; ++s)
            if (const auto slot = slot_in_gene(ws, s, static_cast<int32_t>(p)))
                categories_.push_back(TRNA_SLOT_CATEGORIES[static_cast<size_t>(*slot)]);
    }
    begin_.push_back(static_cast<uint32_t>(categories_.size()));
}

TrnaSampleCounts TrnaSampleCounter::count(PositionView positions) const {
    if (scan_ != nullptr) return count_sample_trna(*scan_, positions);
    TrnaSampleCounts counts;
    const auto size = static_cast<int64_t>(begin_.size()) - 1;
    for (const int32_t p : positions) {
        const int64_t i = p - first_;
        if (i < 0 || i >= size) continue;
        for (uint32_t k = begin_[static_cast<size_t>(i)]; k < begin_[static_cast<size_t>(i) + 1]; ++k)
            ++counts[categories_[k]];
    }
    return counts;
}

TrnaSummaryGrid trna_summary_grid(const TrnaGroupCounts& counts) {
    TrnaSummaryGrid grid;
    for (size_t g = 0; g < TRNA_GROUP_COUNT; ++g)
        grid.rows[g] = {TRNA_GROUP_LABELS[g], std::to_string(counts.counts[g])};
    return grid;
}

ChartSpec trna_chart(const TrnaGroupCounts& counts) {
    ChartSpec chart;
    chart.title = "Number of positions per tRNA region";
    chart.left_axis_title = "Number of positions";
    chart.legend_visible = false;
    ChartSeries series{"", CHART_BLUE, {}};
    for (size_t g = 0; g < TRNA_GROUP_COUNT; ++g)
        series.points.push_back(ChartPoint{static_cast<double>(g + 1),
                                           static_cast<double>(counts.counts[g]),
                                           TRNA_GROUP_LABELS[g]});
    chart.series.push_back(series);
    return chart;
}

}  // namespace corvella
