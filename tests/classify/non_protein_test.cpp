#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classify/non_protein.h"
#include "input/genbank_reader.h"
#include "classify/protein_fixture.h"

using namespace corvella;
using corvella::testing::human_workspace;

namespace {

VariantTally tally_of(std::initializer_list<std::pair<VariantKey, int32_t>> keys) {
    VariantTally t;
    for (const auto& [k, c] : keys) t[k] = c;
    return t;
}

// Index of a region in the window's bar order (D-loop, 12S, 16S, tRNAs, non-coding).
constexpr int BAR_DLOOP = 0, BAR_12S = 1, BAR_16S = 2, BAR_NONCODING = 25;
constexpr int bar_of_trna(int row) { return 3 + row; }

std::vector<int32_t> bar_counts(const NonProteinCounts& c) {
    std::vector<int32_t> out;
    for (const auto& bar : non_protein_bars(c)) out.push_back(bar.count);
    return out;
}

}  // namespace

TEST(NonProteinCounting, EachPositionLandsInItsWindowBar) {
    const Workspace ws = human_workspace();
    struct Case { int32_t position; int bar; };  // bar -1: counted nowhere
    const Case cases[] = {
        {1, BAR_DLOOP},        {576, BAR_DLOOP},       {16569, BAR_DLOOP},
        {16024, BAR_DLOOP},    {577, bar_of_trna(0)},  {16023, bar_of_trna(21)},
        {3107, BAR_16S},       {1000, BAR_12S},        {5580, BAR_NONCODING},
        {17000, BAR_NONCODING}, {8000, -1},
    };
    for (const Case& c : cases) {
        const auto counts = bar_counts(count_non_protein(ws, tally_of({{{c.position, 'C'}, 5}})));
        std::vector<int32_t> expected(NON_PROTEIN_BAR_COUNT, 0);
        if (c.bar >= 0) expected[static_cast<size_t>(c.bar)] = 1;  // a count of 5 still adds 1
        EXPECT_EQ(counts, expected) << "position " << c.position;
    }
}

TEST(NonProteinCounting, OverlappingTrnasCountUnderTheLowerRowOnlyInTheWindow) {
    const Workspace ws = human_workspace();
    const NonProteinCounts c = count_non_protein(ws, tally_of({{{4330, 'G'}, 1}, {{4330, 'A'}, 3}, {{5826, 'C'}, 1}}));
    EXPECT_EQ(c.rna[3], 2);  // tRNA-Ile
    EXPECT_EQ(c.rna[4], 0);  // tRNA-Gln
    EXPECT_EQ(c.rna[9], 1);  // tRNA-Cys
    EXPECT_EQ(c.rna[10], 0);
    EXPECT_EQ(c.total, 0);
}

TEST(NonProteinCounting, EmptyTallyGivesTwentySixZeroBars) {
    const Workspace ws = human_workspace();
    const NonProteinCounts c = count_non_protein(ws, {});
    const ChartSpec chart = non_protein_chart(c);
    ASSERT_EQ(chart.series.size(), 1u);
    ASSERT_EQ(chart.series[0].points.size(), 26u);
    for (const auto& p : chart.series[0].points) EXPECT_EQ(p.y, 0.0);
    for (const auto& row : non_protein_grid_texts(c)) EXPECT_EQ(row.count, "0") << row.label;
}

TEST(NonProteinCounting, PositionRegionsListDloopThenEveryRnaThenNonCoding) {
    const Workspace ws = human_workspace();
    using R = PositionRegion;
    EXPECT_EQ(position_regions(ws, 4330), (std::vector<R>{{RegionKind::Rna, 3}, {RegionKind::Rna, 4}}));
    EXPECT_EQ(position_regions(ws, 16519), (std::vector<R>{{RegionKind::DLoop}}));
    EXPECT_EQ(position_regions(ws, 5580), (std::vector<R>{{RegionKind::NonCoding}}));
    EXPECT_EQ(position_regions(ws, 3243), (std::vector<R>{{RegionKind::Rna, 2}}));
    EXPECT_TRUE(position_regions(ws, 8000).empty());
}

TEST(NonProteinCounting, SampleCountsEveryOverlappingRnaAndEveryOccurrence) {
    const Workspace ws = human_workspace();
    const NonProteinCounts c = count_sample_non_protein(ws, {4330, 16100, 8000});
    EXPECT_EQ(c.rna[3], 1);
    EXPECT_EQ(c.rna[4], 1);
    EXPECT_EQ(c.dloop, 1);
    EXPECT_EQ(c.noncoding, 0);
    EXPECT_EQ(c.total, 3);

    const NonProteinCounts twice = count_sample_non_protein(ws, {5580, 5580, 5826});
    EXPECT_EQ(twice.noncoding, 2);
    EXPECT_EQ(twice.rna[9], 1);
    EXPECT_EQ(twice.rna[10], 1);
    EXPECT_EQ(twice.total, 4);
}

TEST(NonProteinOverlaps, GroupsFormInOrderOfFirstAppearance) {
    const Workspace ws = human_workspace();
    const OverlapGroups groups = non_protein_overlap_groups(
        ws, {{5826, 'C'}, {4330, 'A'}, {8000, 'A'}, {16519, 'C'}, {4330, 'C'}, {4329, 'G'}});
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].first_row, 9);
    EXPECT_EQ(groups[0].second_row, 10);
    EXPECT_EQ(groups[0].variants, (std::vector<VariantKey>{{5826, 'C'}}));
    EXPECT_EQ(groups[1].first_row, 3);
    EXPECT_EQ(groups[1].second_row, 4);
    EXPECT_EQ(groups[1].variants, (std::vector<VariantKey>{{4330, 'A'}, {4330, 'C'}, {4329, 'G'}}));
}

TEST(NonProteinOverlaps, DloopOverlappingTrnaProFormsGroupWithRow24) {
    Workspace ws = human_workspace();
    ws.region_table[DLOOP_START_SLOT] = 15990;  // the D-loop now starts inside tRNA-Pro
    const NonProteinCounts c = count_non_protein(ws, tally_of({{{16000, 'A'}, 1}}));
    EXPECT_EQ(c.dloop, 1);
    EXPECT_EQ(c.rna[21], 1);
    EXPECT_EQ(position_regions(ws, 16000),
              (std::vector<PositionRegion>{{RegionKind::DLoop}, {RegionKind::Rna, 21}}));
    const OverlapGroups groups = non_protein_overlap_groups(ws, {{16000, 'A'}, {15980, 'C'}});
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].first_row, 21);
    EXPECT_EQ(groups[0].second_row, DLOOP_REGION_ROW);
    EXPECT_EQ(groups[0].variants, (std::vector<VariantKey>{{16000, 'A'}}));
}

TEST(NonProteinOverlaps, ThreeRnaGenesRecordOnlyTheFirstAndLast) {
    Workspace ws = human_workspace();
    for (int row : {0, 1, 2}) {
        ws.region_table[rna_start_slot(row)] = 5582;  // inside the gap between tRNA-Trp and tRNA-Ala
        ws.region_table[rna_end_slot(row)] = 5584;
    }
    const OverlapGroups groups = non_protein_overlap_groups(ws, {{5583, 'T'}});
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].first_row, 0);
    EXPECT_EQ(groups[0].second_row, 2);
    EXPECT_EQ(count_sample_non_protein(ws, {5583}).total, 3);
    EXPECT_EQ(count_non_protein(ws, tally_of({{{5583, 'T'}, 1}})).rna,
              (std::array<int32_t, RNA_GENE_COUNT>{1}));
}

TEST(NonProteinOverlaps, SampleVariantsNeverReadPastADamagedBaseList) {
    Workspace ws;
    ws.sample_positions = {{10, 20, 30}};
    ws.sample_bases = {"AC"};
    EXPECT_EQ(sample_variants(ws, 0), (std::vector<VariantKey>{{10, 'A'}, {20, 'C'}, {30, 'Z'}}));
    EXPECT_TRUE(sample_variants(ws, 1).empty());
}

TEST(NonProteinNames, QualifiedNamesCarryTheCodonFamily) {
    EXPECT_EQ(qualified_rna_name(2), "tRNA-Leu(UUR)");
    EXPECT_EQ(qualified_rna_name(11), "tRNA-Ser(UCN)");
    EXPECT_EQ(qualified_rna_name(17), "tRNA-Ser(AGY)");
    EXPECT_EQ(qualified_rna_name(18), "tRNA-Leu(CUN)");
    EXPECT_EQ(qualified_rna_name(21), "tRNA-Pro");
    EXPECT_EQ(qualified_rna_name(22), "s-rRNA");
    EXPECT_EQ(qualified_rna_name(24), "D-loop");
    EXPECT_EQ(report_region_name(18), "tRNA-Leu");
}

TEST(NonProteinChart, BarsFollowTheWindowOrderWithShortNames) {
    NonProteinCounts c;
    c.dloop = 4;
    c.rna[22] = 5;
    c.rna[21] = 6;
    c.noncoding = 7;
    const ChartSpec chart = non_protein_chart(c);
    EXPECT_EQ(chart.title, "Number of Positions per Gene/Region");
    EXPECT_EQ(chart.left_axis_title, "Number of Positions");
    EXPECT_FALSE(chart.legend_visible);
    ASSERT_EQ(chart.series.size(), 1u);
    EXPECT_EQ(chart.series[0].rgb, CHART_BLUE);
    const auto& pts = chart.series[0].points;
    ASSERT_EQ(pts.size(), 26u);
    std::vector<std::string> labels;
    for (size_t i = 0; i < pts.size(); ++i) {
        EXPECT_EQ(pts[i].x, static_cast<double>(i + 1));
        labels.push_back(pts[i].label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{
                          "D-loop", "12S-rRNA", "16S-rRNA", "Phe", "Val", "Leu(UUR)", "Ile", "Gln", "Met",
                          "Trp", "Ala", "Asn", "Cys", "Tyr", "Ser(UCN)", "Asp", "Lys", "Gly", "Arg", "His",
                          "Ser(AGY)", "Leu(CUN)", "Glu", "Thr", " Pro", "Non-coding"}));
    EXPECT_EQ(pts[0].y, 4.0);
    EXPECT_EQ(pts[1].y, 5.0);
    EXPECT_EQ(pts[24].y, 6.0);
    EXPECT_EQ(pts[25].y, 7.0);

    const NonProteinGridTexts grid = non_protein_grid_texts(c);
    EXPECT_EQ(grid[1].label, "12S rRNA");
    EXPECT_EQ(grid[1].count, "5");
    EXPECT_EQ(grid[12].label, "tRNA-Cys");  // last row of the first grid
    EXPECT_EQ(grid[13].label, "tRNA-Tyr");  // first row of the second grid
    EXPECT_EQ(grid[24].label, "tRNA-Pro");
    EXPECT_EQ(grid[25].label, "Non-coding");
    EXPECT_EQ(grid[25].count, "7");
}

TEST(NonProteinOverlaps, GenBankReferenceWithDloopReachingIntoTrnaPro) {
    std::string text = corvella::testing::read_golden("NC_012920.1.gb");
    const std::string dloop = "join(16024..16569,1..576)";
    const size_t at = text.find(dloop);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, dloop.size(), "join(15990..16569,1..576)");  // tRNA-Pro is 15956..16023

    const ReferenceReadResult read = parse_genbank_text(text);
    ASSERT_TRUE(read.ok) << read.message;
    Workspace ws;
    use_reference(ws, read);
    const NonProteinCounts c = count_non_protein(ws, tally_of({{{16000, 'A'}, 1}, {{15980, 'C'}, 1}}));
    EXPECT_EQ(c.dloop, 1);
    EXPECT_EQ(c.rna[21], 2);
    const OverlapGroups groups = non_protein_overlap_groups(ws, {{15980, 'C'}, {16000, 'A'}, {16010, 'T'}});
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].first_row, 21);
    EXPECT_EQ(groups[0].second_row, DLOOP_REGION_ROW);
    EXPECT_EQ(groups[0].variants, (std::vector<VariantKey>{{16000, 'A'}, {16010, 'T'}}));
}

namespace {

void expect_same_counts(const NonProteinCounts& a, const NonProteinCounts& b, const std::string& what) {
    EXPECT_EQ(a.dloop, b.dloop) << what;
    EXPECT_EQ(a.rna, b.rna) << what;
    EXPECT_EQ(a.noncoding, b.noncoding) << what;
    EXPECT_EQ(a.total, b.total) << what;
}

}  // namespace

// The table-driven counter of the per-sample report must count every
// position as locating it does: on the built-in reference, with RNA genes
// stacked three deep, a region table reaching past the reference, a
// workspace with no reference at all, and positions 0, negative and far past
// the end (the wrapping D-loop takes some of those).
TEST(NonProteinSampleCounts, TheCounterForManySamplesCountsAsLocatingEachPosition) {
    Workspace human = human_workspace();
    Workspace stacked = human;
    for (int row : {0, 1, 2}) {
        stacked.region_table[rna_start_slot(row)] = 5582;
        stacked.region_table[rna_end_slot(row)] = 5584;
    }
    Workspace longer = human;
    longer.region_table[rna_end_slot(23)] = 17000;
    const Workspace empty;
    for (const Workspace* ws : std::vector<const Workspace*>{&human, &stacked, &longer, &empty}) {
        const NonProteinSampleCounter counter(*ws);
        std::vector<int32_t> all;
        for (int32_t p = -3; p <= 17100; ++p) {
            const std::vector<int32_t> one{p};
            expect_same_counts(counter.count(one), count_sample_non_protein(*ws, one), std::to_string(p));
            all.push_back(p);
        }
        all.insert(all.end(), {INT32_MIN, INT32_MAX, 5583, 5583, 16100});
        const NonProteinCounts direct = count_sample_non_protein(*ws, all);
        expect_same_counts(counter.count(all), direct, "all");
        EXPECT_GT(direct.total, 0);
    }
}
