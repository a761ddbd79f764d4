#include <gtest/gtest.h>

#include "classify/protein_counting.h"
#include "protein_fixture.h"

using namespace corvella;
using corvella::testing::human_workspace;
using corvella::testing::six_key_workspace;

namespace {

size_t row(const char* gene) {
    for (size_t g = 0; g < PROTEIN_GENE_NAMES.size(); ++g)
        if (std::string(PROTEIN_GENE_NAMES[g]) == gene) return g;
    ADD_FAILURE() << "no gene " << gene;
    return 0;
}

// A tiny reference with hand-placed genes, for cases the human one lacks.
Workspace toy_workspace(const std::string& sequence) {
    Workspace ws;
    ws.ref_sequence = sequence;
    return ws;
}

}  // namespace

TEST(ProteinLocus, NoneOneOrOverlap) {
    const Workspace ws = human_workspace();
    EXPECT_EQ(protein_locus(ws, 16000), PROTEIN_LOCUS_NONE);
    EXPECT_EQ(protein_locus(ws, 14766), 5);  // CYTB
    EXPECT_EQ(protein_locus(ws, 8527), PROTEIN_LOCUS_OVERLAP);
    EXPECT_EQ(protein_locus(ws, 9207), PROTEIN_LOCUS_OVERLAP);
    EXPECT_EQ(protein_locus(ws, 8573), 0);   // ATP6 only, one past ATP8's end
    EXPECT_EQ(protein_locus(ws, 14673), 12); // last letter of ND6
    EXPECT_EQ(protein_locus(Workspace{}, 5), PROTEIN_LOCUS_NONE);
}

TEST(ProteinCounting, EachDistinctVariantCountsOncePerGene) {
    Workspace ws = human_workspace();
    ws.variant_tally = {{{14766, 'T'}, 5}, {{11719, 'A'}, 1}, {{11719, 'C'}, 1}, {{8527, 'G'}, 1},
                        {{16100, 'C'}, 3}};  // D-loop: counts nowhere
    const ProteinCounts c = count_protein_variants(ws, ws.variant_tally);
    EXPECT_EQ(c.non_synonymous[row("CYTB")], 1);
    EXPECT_EQ(c.synonymous[row("ND4")], 2);
    EXPECT_EQ(c.non_synonymous[row("ATP6")], 1);
    EXPECT_EQ(c.synonymous[row("ATP8")], 1);
    int syn = 0, non_syn = 0;
    for (size_t g = 0; g < PROTEIN_GENE_COUNT; ++g) {
        syn += c.synonymous[g];
        non_syn += c.non_synonymous[g];
    }
    EXPECT_EQ(syn, 3);
    EXPECT_EQ(non_syn, 2);

    const auto rows = protein_grid_rows(c);
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_EQ(rows[0][0], "ATP6");
    EXPECT_EQ(rows[12][0], "ND6");
    EXPECT_EQ((rows[13]), (std::array<std::string, 3>{"TOTAL", "3", "2"}));
    EXPECT_EQ((rows[5]), (std::array<std::string, 3>{"CYTB", "0", "1"}));
}

TEST(ProteinCounting, EmptyTallyGivesZerosAndThirteenFlatBars) {
    const Workspace ws = human_workspace();
    const ProteinCounts c = count_protein_variants(ws, ws.variant_tally);
    for (size_t g = 0; g < PROTEIN_GENE_COUNT; ++g) {
        EXPECT_EQ(c.synonymous[g], 0);
        EXPECT_EQ(c.non_synonymous[g], 0);
    }
    const ChartSpec chart = protein_chart_spec(c);
    ASSERT_EQ(chart.series.size(), 2u);
    for (const ChartSeries& s : chart.series) {
        ASSERT_EQ(s.points.size(), 13u);
        for (const ChartPoint& p : s.points) EXPECT_EQ(p.y, 0.0);
    }
    EXPECT_TRUE(check_overlap_positions(ws, ws.variant_tally).protein_overlap_groups.empty());
}

TEST(ProteinCounting, ChartPutsSynInBlueAndNonSynInRedPerGene) {
    const Workspace ws = six_key_workspace();
    const ChartSpec chart = protein_chart_spec(count_protein_variants(ws, ws.variant_tally));
    EXPECT_EQ(chart.title, "Synonymous and Non Synonymous Positions per Protein");
    EXPECT_EQ(chart.title_rgb, CHART_BLUE);
    EXPECT_EQ(chart.left_axis_title, "No. of Positions");
    EXPECT_TRUE(chart.legend_visible);
    ASSERT_EQ(chart.series.size(), 2u);
    EXPECT_EQ(chart.series[0].title, "Syn");
    EXPECT_EQ(chart.series[0].rgb, CHART_BLUE);
    EXPECT_EQ(chart.series[1].title, "Non-Syn");
    EXPECT_EQ(chart.series[1].rgb, CHART_RED);
    // ATP6 (x 1): 0 syn, 3 non-syn; ATP8 (x 2): 2 syn; ND6 (x 13): 1 syn.
    const auto& syn = chart.series[0].points;
    const auto& non_syn = chart.series[1].points;
    EXPECT_EQ(syn[0].x, 1.0);
    EXPECT_EQ(syn[0].label, "ATP6");
    EXPECT_EQ(non_syn[0].y, 3.0);
    EXPECT_EQ(syn[1].y, 2.0);
    EXPECT_EQ(syn[12].x, 13.0);
    EXPECT_EQ(syn[12].label, "ND6");
    EXPECT_EQ(syn[12].y, 1.0);
    EXPECT_EQ(non_syn[12].y, 0.0);
}

TEST(ProteinAnalysis, OverlapGroupsAndStopVariantsInTallyOrder) {
    const Workspace ws = six_key_workspace();
    const ProteinAnalysis a = check_overlap_positions(ws, ws.variant_tally);
    ASSERT_EQ(a.protein_overlap_groups.size(), 3u);
    const auto& g = a.protein_overlap_groups;
    EXPECT_EQ(g[0].first_gene, row("ATP6"));
    EXPECT_EQ(g[0].second_gene, row("ATP8"));
    EXPECT_EQ(g[0].variants, (std::vector<VariantKey>{{8527, 'G'}, {8530, 'G'}}));
    EXPECT_EQ(g[1].first_gene, row("ATP6"));
    EXPECT_EQ(g[1].second_gene, row("COX3"));
    EXPECT_EQ(g[1].variants, (std::vector<VariantKey>{{9207, 'T'}}));
    EXPECT_EQ(g[2].first_gene, row("ND4L"));
    EXPECT_EQ(g[2].second_gene, row("ND4"));
    EXPECT_EQ(g[2].variants, (std::vector<VariantKey>{{10760, 'T'}}));
    // The last ATP6 codon TAA becomes TAT; ND6 AGG to AGA is a synonymous stop.
    EXPECT_EQ(a.stop_variants, (std::vector<VariantKey>{{9207, 'T'}, {14149, 'T'}}));
}

TEST(ProteinAnalysis, StopInBothGenesIsListedTwice) {
    // Two genes share a stop codon: TAA at 7..9.
    Workspace ws = toy_workspace("ATGAAATAAGGG");
    ws.region_table[protein_start_slot(0)] = 1;
    ws.region_table[protein_end_slot(0)] = 9;
    ws.region_table[protein_start_slot(1)] = 7;
    ws.region_table[protein_end_slot(1)] = 12;
    ws.variant_tally = {{{9, 'G'}, 1}};  // TAA -> TAG in gene 0; codon 1 of gene 1 is TAA -> TAG too
    const ProteinAnalysis a = check_overlap_positions(ws, ws.variant_tally);
    EXPECT_EQ(a.stop_variants, (std::vector<VariantKey>{{9, 'G'}, {9, 'G'}}));
    ASSERT_EQ(a.protein_overlap_groups.size(), 1u);
}

TEST(ProteinAnalysis, ThreeGenesAtOnePositionGroupFirstWithLast) {
    Workspace ws = toy_workspace("ATGAAAGGG");
    for (int g : {2, 4, 7}) {
        ws.region_table[protein_start_slot(g)] = 1;
        ws.region_table[protein_end_slot(g)] = 9;
    }
    ws.variant_tally = {{{4, 'G'}, 1}, {{5, 'C'}, 1}};
    const ProteinAnalysis a = check_overlap_positions(ws, ws.variant_tally);
    ASSERT_EQ(a.protein_overlap_groups.size(), 1u);
    EXPECT_EQ(a.protein_overlap_groups[0].first_gene, 2);
    EXPECT_EQ(a.protein_overlap_groups[0].second_gene, 7);
    EXPECT_EQ(a.protein_overlap_groups[0].variants.size(), 2u);
    const ProteinCounts c = count_protein_variants(ws, ws.variant_tally);
    // AAA -> GAA (K to E) and AAA -> ACA (K to T): non-synonymous in all three.
    EXPECT_EQ(c.non_synonymous[2], 2);
    EXPECT_EQ(c.non_synonymous[4], 2);
    EXPECT_EQ(c.non_synonymous[7], 2);
}

TEST(ProteinIsSynonymous, UntranslatableCodonsCompareAsText) {
    Workspace ws = toy_workspace("ATGNAAGGG");
    ws.region_table[protein_start_slot(0)] = 1;
    ws.region_table[protein_end_slot(0)] = 9;
    std::vector<VariantKey> stops;
    // NAA -> NGA: "X" on both sides is synonymous.
    EXPECT_TRUE(is_synonymous(ws, 0, current_variant(ws, {5, 'G'}), stops));
    // NAA -> AAA: "X" to K is not.
    EXPECT_FALSE(is_synonymous(ws, 0, current_variant(ws, {4, 'A'}), stops));
    EXPECT_TRUE(stops.empty());
    // Codon 3 GGG -> AGG is G to STOP, and the stop is noted.
    EXPECT_FALSE(is_synonymous(ws, 0, current_variant(ws, {7, 'A'}), stops));
    EXPECT_EQ(stops, (std::vector<VariantKey>{{7, 'A'}}));
}
