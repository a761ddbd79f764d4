#include <gtest/gtest.h>

#include "classify/trna_classification.h"
#include "rna_test_support.h"

using namespace corvella;
using corvella::testing::human_tally;
using corvella::testing::rna_workspace;

namespace {

std::array<int32_t, 4> groups_of(const std::vector<std::pair<VariantKey, int32_t>>& tally) {
    return count_trna_groups(human_tally(tally)).counts;
}

}  // namespace

TEST(TrnaGroups, EachDistinctVariantCountsInItsRegionGroup) {
    struct Case {
        const char* what;
        std::vector<std::pair<VariantKey, int32_t>> tally;
        std::array<int32_t, 4> stem_loop_var_other;
    };
    const std::vector<Case> cases = {
        {"3243G, D-loop of tRNA-Leu(UUR), counted once whatever its count",
         {{{3243, 'G'}, 2}}, {0, 1, 0, 0}},
        {"3243G and 3243C are two variants", {{{3243, 'G'}, 1}, {{3243, 'C'}, 1}}, {0, 2, 0, 0}},
        {"4330A, Acc-stem of tRNA-Ile and of tRNA-Gln", {{{4330, 'A'}, 1}}, {2, 0, 0, 0}},
        {"4329T, Acc-stem of tRNA-Ile, then the 3' end of tRNA-Gln", {{{4329, 'T'}, 1}}, {1, 0, 0, 1}},
        {"4331, last of tRNA-Ile and in the Acc-stem of tRNA-Gln", {{{4331, 'G'}, 1}}, {1, 0, 0, 1}},
        {"5826C stops at tRNA-Cys; tRNA-Tyr is not visited", {{{5826, 'C'}, 1}}, {1, 0, 0, 0}},
        {"14674C, last position of tRNA-Glu", {{{14674, 'C'}, 1}}, {0, 0, 0, 1}},
        {"3277A, variable region of tRNA-Leu(UUR)", {{{3277, 'A'}, 1}}, {0, 0, 1, 0}},
        {"8000A lies in no tRNA", {{{8000, 'A'}, 1}}, {0, 0, 0, 0}},
        {"empty tally", {}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(groups_of(c.tally), c.stem_loop_var_other) << c.what;
}

TEST(TrnaGroups, GeneRangesComeFromTheRegionTable) {
    // The structure table alone would place 3243; without gene ranges in the
    // region table nothing lies in a tRNA.
    Workspace ws = human_tally({{{3243, 'G'}, 1}});
    ws.region_table.fill(0);
    EXPECT_EQ(count_trna_groups(ws).counts, (std::array<int32_t, 4>{0, 0, 0, 0}));
    EXPECT_TRUE(trna_position_rows(ws, 3243, 'G', 1).empty());
}

TEST(TrnaPositionRows, OneRowPerTrnaThatHoldsThePosition) {
    const Workspace ws = human_tally({});
    struct Expected {
        const char* position;
        const char* change;
        const char* trna;
        const char* slot;
    };
    struct Case {
        int32_t p;
        char base;
        std::vector<Expected> rows;
    };
    const std::vector<Case> cases = {
        {3243, 'G', {{"3243", "A-G", "tRNA-Leu(UUR)", "D-loop"}}},
        {4330, 'A', {{"4330A", "T-A", "tRNA-Ile", "Acc-stem"}, {"4330A", "T-A", "tRNA-Gln", "Acc-stem"}}},
        {5826, 'C', {{"5826", "T-C", "tRNA-Cys", "Acc-stem"}, {"5826", "T-C", "tRNA-Tyr", "other positions"}}},
        {14674, 'C', {{"14674", "T-C", "tRNA-Glu", "other positions"}}},
        {12214, 'A', {{"12214A", "C-A", "tRNA-Ser(AGY)", "D-loop"}}},
        {8000, 'A', {}},
    };
    for (const Case& c : cases) {
        const auto rows = trna_position_rows(ws, c.p, c.base, 7);
        ASSERT_EQ(rows.size(), c.rows.size()) << c.p;
        for (size_t k = 0; k < rows.size(); ++k) {
            EXPECT_EQ(rows[k].position_text, c.rows[k].position) << c.p;
            EXPECT_EQ(rows[k].base_change, c.rows[k].change) << c.p;
            EXPECT_EQ(rows[k].trna_name, c.rows[k].trna) << c.p;
            EXPECT_EQ(rows[k].slot_name, c.rows[k].slot) << c.p;
            EXPECT_EQ(rows[k].count, 7) << c.p;
        }
    }
}

TEST(TrnaSampleCounts, EveryTrnaThatHoldsAPositionCounts) {
    const Workspace ws = human_tally({});
    // Acc-stem, D-stem, Ac-stem, T-stem, D-loop, Anticd-loop, T-loop, Var. Region, Other
    EXPECT_EQ(count_sample_trna(ws, {5826}).counts,
              (std::array<int32_t, 9>{1, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(count_sample_trna(ws, {4329, 4330, 4331}).counts,
              (std::array<int32_t, 9>{4, 0, 0, 0, 0, 0, 0, 0, 2}));
    // One position of every category of tRNA-Phe, 577..647, and a repeat.
    EXPECT_EQ(count_sample_trna(ws, {577, 586, 604, 625, 590, 609, 628, 621, 603, 647, 647}).counts,
              (std::array<int32_t, 9>{1, 1, 1, 1, 1, 1, 1, 1, 3}));
    EXPECT_EQ(count_sample_trna(ws, {8000, 1438, 16569}).counts, (std::array<int32_t, 9>{}));
    EXPECT_EQ(count_sample_trna(ws, {}).counts, (std::array<int32_t, 9>{}));
}

// The per-position table must count every position as trying every tRNA
// does, whatever the region table: the built-in one, ranges moved so that
// they overlap, an empty range, no ranges at all, and one too wide to index.
TEST(TrnaSampleCounts, TheCounterForManySamplesCountsAsTheDirectWay) {
    Workspace human = human_tally({});
    Workspace moved = human;
    moved.region_table[rna_start_slot(3)] -= 40;  // reaches into its neighbour
    moved.region_table[rna_end_slot(5)] += 75;
    moved.region_table[rna_start_slot(7)] = moved.region_table[rna_end_slot(7)] + 1;  // empty
    Workspace none = human;
    none.region_table.fill(0);
    Workspace wide = human;
    wide.region_table[rna_end_slot(2)] = 2000000000;
    for (const Workspace* ws : {&human, &moved, &none, &wide}) {
        const TrnaSampleCounter counter(*ws);
        std::vector<int32_t> all;
        for (int32_t p = -2; p <= 16600; ++p) {
            const std::vector<int32_t> one{p};
            ASSERT_EQ(counter.count(one).counts, count_sample_trna(*ws, one).counts) << p;
            all.push_back(p);
        }
        all.insert(all.end(), {INT32_MIN, INT32_MAX, 4330, 4330, 5826});
        const TrnaSampleCounts direct = count_sample_trna(*ws, all);
        EXPECT_EQ(counter.count(all).counts, direct.counts);
        if (ws != &none) {
            EXPECT_GT(direct[TrnaCategory::Other], 0);
        }
    }
}

TEST(TrnaSummary, GridAndChartShowTheFourGroups) {
    const Workspace ws = rna_workspace({{">a", {{3243, 'G'}, {4330, 'A'}, {3277, 'A'}, {14674, 'C'}}}});
    const TrnaGroupCounts counts = count_trna_groups(ws);

    const TrnaSummaryGrid grid = trna_summary_grid(counts);
    const std::array<std::array<std::string, 2>, 4> expected_grid = {{
        {"Stem", "2"}, {"Loop", "1"}, {"Var. Region", "1"}, {"Other", "1"}}};
    EXPECT_EQ(grid.rows, expected_grid);

    const ChartSpec chart = trna_chart(counts);
    EXPECT_EQ(chart.title, "Number of positions per tRNA region");
    EXPECT_EQ(chart.left_axis_title, "Number of positions");
    EXPECT_FALSE(chart.legend_visible);
    ASSERT_EQ(chart.series.size(), 1u);
    EXPECT_EQ(chart.series[0].rgb, CHART_BLUE);
    ASSERT_EQ(chart.series[0].points.size(), 4u);
    for (size_t g = 0; g < 4; ++g) {
        EXPECT_EQ(chart.series[0].points[g].x, static_cast<double>(g + 1));
        EXPECT_EQ(chart.series[0].points[g].label, expected_grid[g][0]);
        EXPECT_EQ(chart.series[0].points[g].y, std::stod(expected_grid[g][1]));
    }
}
