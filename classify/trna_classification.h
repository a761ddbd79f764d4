// Places variants in the structural regions of the 22 tRNA cloverleaves:
// the group counts of the window and summary, the per-position rows and the
// per-sample category counts. The gene ranges come from the region table,
// the slots from TRNA_STRUCTURE (numbered on the built-in human reference).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/trna_structure.h"
#include "core/workspace.h"
#include "output/chart_spec.h"

namespace corvella {

constexpr int TRNA_GROUP_COUNT = 4;
constexpr int TRNA_CATEGORY_COUNT = 9;

// Labels of the four groups, in TrnaGroup order: "Stem" ... "Other".
extern const std::array<const char*, TRNA_GROUP_COUNT> TRNA_GROUP_LABELS;
// Per-sample column headers, in TrnaCategory order: "Acc-stem" ... "Other".
extern const std::array<const char*, TRNA_CATEGORY_COUNT> TRNA_CATEGORY_LABELS;

// Stem, Loop, Var. Region, Other.
struct TrnaGroupCounts {
    std::array<int32_t, TRNA_GROUP_COUNT> counts{};
    int32_t& operator[](TrnaGroup g) { return counts[static_cast<size_t>(g)]; }
    int32_t operator[](TrnaGroup g) const { return counts[static_cast<size_t>(g)]; }
};

// Acc-stem, D-stem, Ac-stem, T-stem, D-loop, Anticd-loop, T-loop, Var. Region, Other.
struct TrnaSampleCounts {
    std::array<int32_t, TRNA_CATEGORY_COUNT> counts{};
    int32_t& operator[](TrnaCategory c) { return counts[static_cast<size_t>(c)]; }
    int32_t operator[](TrnaCategory c) const { return counts[static_cast<size_t>(c)]; }
};

// One distinct variant (tally key) counts once, in the first tRNA gene that
// holds it. The three positions 4329..4331, shared by tRNA-Ile and
// tRNA-Gln, are counted in both; 5826, shared by tRNA-Cys and tRNA-Tyr,
// counts in tRNA-Cys only. Positions outside every tRNA are not counted.
TrnaGroupCounts count_trna_groups(const Workspace& ws);

struct TrnaPositionRow {
    std::string position_text;  // 3243, or 4330A for a transversion
    std::string base_change;    // reference letter, "-", new base
    std::string trna_name;      // TRNA_NAMES
    std::string slot_name;      // TRNA_SLOT_NAMES
    int32_t count;              // occurrences of the variant over all samples
};

// One row per tRNA gene that holds p: shared positions give two rows.
std::vector<TrnaPositionRow> trna_position_rows(const Workspace& ws, int32_t p, char base,
                                                int32_t count);

// Counts every position of one sample-list entry in every tRNA that holds
// it (so 4329..4331 and 5826 count twice); the new bases are not looked at.
TrnaSampleCounts count_sample_trna(const Workspace& ws, PositionView positions);

// Counts sample-list entries exactly as count_sample_trna does, with the
// categories of every position looked up once from the workspace's region
// table instead of trying every tRNA for every position: for the reports
// that count every sample of a cohort. Holds no reference to the workspace
// except for a region table too wide to index, where it counts as
// count_sample_trna does.
class TrnaSampleCounter {
public:
    explicit TrnaSampleCounter(const Workspace& ws);
    TrnaSampleCounts count(PositionView positions) const;

private:
    const Workspace* scan_ = nullptr;    // set when the table is not built
    int64_t first_ = 0;                  // the position of begin_[0]
    std::vector<uint32_t> begin_;        // per position: its first entry in categories_, then one past the last
    std::vector<TrnaCategory> categories_;
};

// The grid texts of the window and the summary report: one row per group,
// its label and its count as decimal text.
struct TrnaSummaryGrid {
    std::array<std::array<std::string, 2>, TRNA_GROUP_COUNT> rows;
};
TrnaSummaryGrid trna_summary_grid(const TrnaGroupCounts& counts);

// "Number of positions per tRNA region": one blue series, four bars, no legend.
ChartSpec trna_chart(const TrnaGroupCounts& counts);

}  // namespace corvella
