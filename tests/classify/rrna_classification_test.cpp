#include <gtest/gtest.h>

#include <algorithm>

#include "classify/rrna_classification.h"
#include "rna_test_support.h"

using namespace corvella;
using corvella::testing::human_tally;

TEST(RrnaStems, ListsHoldTheChartedStemsInOrder) {
    EXPECT_EQ(STEMS_12S.size(), 418u);
    EXPECT_EQ(STEMS_12S.front(), 4);
    EXPECT_EQ(STEMS_12S.back(), 946);
    EXPECT_EQ(STEMS_16S.size(), 604u);
    EXPECT_EQ(STEMS_16S.front(), 52);
    EXPECT_EQ(STEMS_16S.back(), 1557);
    // Strictly ascending, so the sorted lookup finds every entry.
    EXPECT_TRUE(std::adjacent_find(STEMS_12S.begin(), STEMS_12S.end(),
                                   std::greater_equal<int32_t>()) == STEMS_12S.end());
    EXPECT_TRUE(std::adjacent_find(STEMS_16S.begin(), STEMS_16S.end(),
                                   std::greater_equal<int32_t>()) == STEMS_16S.end());
    // Range edges and gaps inside the lists.
    EXPECT_TRUE(std::binary_search(STEMS_12S.begin(), STEMS_12S.end(), 791));
    EXPECT_FALSE(std::binary_search(STEMS_12S.begin(), STEMS_12S.end(), 908));
    EXPECT_TRUE(std::binary_search(STEMS_16S.begin(), STEMS_16S.end(), 1337));
    EXPECT_FALSE(std::binary_search(STEMS_16S.begin(), STEMS_16S.end(), 1340));
}

TEST(RrnaPlace, PositionsOfTheBuiltInReference) {
    const Workspace ws = human_tally({});
    struct Case {
        int32_t p;
        const char* expected;  // "12S Stem", "16S Non-stem", or "" for none
    };
    const std::vector<Case> cases = {
        {647, ""},              // last of tRNA-Phe
        {648, "12S Non-stem"},  // first of the 12S gene, relative 1
        {651, "12S Stem"},      // relative 4, the first 12S stem entry
        {1438, "12S Stem"},     // relative 791
        {1555, "12S Non-stem"}, // relative 908
        {1593, "12S Stem"},     // relative 946, the last 12S stem entry
        {1601, "12S Non-stem"}, // relative 954, the gene's last position
        {1650, ""},             // tRNA-Val, between the rRNAs
        {1721, "16S Non-stem"}, // relative 51
        {1722, "16S Stem"},     // relative 52, the first 16S stem entry
        {3010, "16S Non-stem"}, // relative 1340
        {3227, "16S Stem"},     // relative 1557, the last 16S stem entry
        {3229, "16S Non-stem"},
        {3230, ""},
    };
    for (const Case& c : cases) {
        std::string got;
        for (const RrnaPlace& place : rrna_place(ws, c.p))
            got += std::string(rrna_name(place.rrna)) + " " + stem_word(place.stem);
        EXPECT_EQ(got, c.expected) << c.p;
    }
}

TEST(RrnaPlace, CountsFromTheGeneStartOfTheRegionTable) {
    Workspace ws = human_tally({});
    // Moved one position on, 651 becomes relative 3 (not a stem) and 652 relative 4.
    ws.region_table[rna_start_slot(RRNA_12S_ROW)] = 649;
    EXPECT_FALSE(rrna_place_in(ws, Rrna::S12, 651)->stem);
    EXPECT_TRUE(rrna_place_in(ws, Rrna::S12, 652)->stem);
    // Overlapping genes are each tested on their own: 12S first, then 16S.
    ws.region_table[rna_start_slot(RRNA_16S_ROW)] = 1500;  // 1555 is 16S relative 56
    const auto places = rrna_place(ws, 1555);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].rrna, Rrna::S12);
    EXPECT_EQ(places[1].rrna, Rrna::S16);
    EXPECT_FALSE(places[1].stem);
    EXPECT_EQ(rrna_position_rows(ws, 1555, 'G', 1).size(), 2u);
}

TEST(RrnaCounting, DistinctVariantsPerGeneAndSamplePositions) {
    const Workspace ws = human_tally({{{1438, 'G'}, 5}, {{1438, 'C'}, 1}, {{1555, 'G'}, 1},
                                      {{1722, 'G'}, 1}, {{3010, 'A'}, 2}, {{1650, 'C'}, 1}});
    const RrnaCounts counts = count_rrna_regions(ws);
    EXPECT_EQ(counts[Rrna::S12].stem, 2);  // 1438G and 1438C are two variants
    EXPECT_EQ(counts[Rrna::S12].non_stem, 1);
    EXPECT_EQ(counts[Rrna::S16].stem, 1);
    EXPECT_EQ(counts[Rrna::S16].non_stem, 1);

    const std::vector<int32_t> sample = {1438, 1438, 1555, 1722, 1650, 3010, 8000};
    const RrnaStemCounts s12 = count_sample_rrna(ws, sample, Rrna::S12);
    const RrnaStemCounts s16 = count_sample_rrna(ws, sample, Rrna::S16);
    EXPECT_EQ(std::make_pair(s12.stem, s12.non_stem), std::make_pair(2, 1));
    EXPECT_EQ(std::make_pair(s16.stem, s16.non_stem), std::make_pair(1, 1));
    const RrnaStemCounts none = count_sample_rrna(ws, {}, Rrna::S16);
    EXPECT_EQ(std::make_pair(none.stem, none.non_stem), std::make_pair(0, 0));
}

TEST(RrnaSummary, GridAndTwoSeriesChart) {
    RrnaCounts counts;
    counts[Rrna::S12] = {3, 4};
    counts[Rrna::S16] = {5, 6};
    const RrnaSummaryGrid grid = rrna_summary_grid(counts);
    const std::array<std::array<std::string, 3>, 2> expected = {{
        {"Stem", "3", "5"}, {"Non-stem", "4", "6"}}};
    EXPECT_EQ(grid.rows, expected);

    const ChartSpec chart = rrna_chart(counts);
    EXPECT_EQ(chart.title, "Number of positions per rRNA region");
    EXPECT_EQ(chart.left_axis_title, "No. of positions");
    EXPECT_TRUE(chart.legend_visible);
    ASSERT_EQ(chart.series.size(), 2u);
    EXPECT_EQ(chart.series[0].title, "12S");
    EXPECT_EQ(chart.series[0].rgb, CHART_BLUE);
    EXPECT_EQ(chart.series[1].title, "16S");
    EXPECT_EQ(chart.series[1].rgb, CHART_RED);
    for (size_t s = 0; s < 2; ++s) {
        ASSERT_EQ(chart.series[s].points.size(), 2u);
        EXPECT_EQ(chart.series[s].points[0].x, 1.0);
        EXPECT_EQ(chart.series[s].points[0].label, "Stem");
        EXPECT_EQ(chart.series[s].points[1].x, 2.0);
        EXPECT_EQ(chart.series[s].points[1].label, "Non-stem");
    }
    EXPECT_EQ(chart.series[0].points[0].y, 3.0);
    EXPECT_EQ(chart.series[0].points[1].y, 4.0);
    EXPECT_EQ(chart.series[1].points[0].y, 5.0);
    EXPECT_EQ(chart.series[1].points[1].y, 6.0);
}
