#include "classify/genome_map_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <set>

#include "rna_test_support.h"

namespace corvella {
namespace {

using testing::rna_workspace;

const MapArc* arc_named(const GenomeMap& map, const std::string& label) {
    for (const MapArc& arc : map.arcs)
        if (arc.label == label) return &arc;
    return nullptr;
}

const MapBar* bar_at_position(const GenomeMap& map, int32_t position) {
    for (const MapBar& bar : map.bars)
        if (bar.position == position) return &bar;
    return nullptr;
}

size_t count_of(const std::string& text, const std::string& word) {
    size_t n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++n;
    return n;
}

TEST(GenomeMap, GenesAndTheDLoopLieOnTheirStrandsTracks) {
    const GenomeMap map = build_genome_map(rna_workspace({}));
    ASSERT_EQ(map.arcs.size(), 38u);
    const std::set<std::string> light = {"MT-ND6", "MT-TQ", "MT-TA", "MT-TN", "MT-TC",
                                         "MT-TY",  "MT-TS1", "MT-TE", "MT-TP"};
    int kinds[4] = {};
    for (const MapArc& arc : map.arcs) {
        EXPECT_EQ(arc.outer, light.count(arc.label) == 0) << arc.label;
        ++kinds[static_cast<int>(arc.kind)];
        EXPECT_GT(arc.outer_radius, arc.inner_radius) << arc.label;
        EXPECT_LT(arc.outer_radius, map.bar_base) << arc.label;
        EXPECT_GT(arc.inner_radius, map.tick_radius) << arc.label;
    }
    EXPECT_EQ(kinds[static_cast<int>(MapFeatureKind::Protein)], 13);
    EXPECT_EQ(kinds[static_cast<int>(MapFeatureKind::Trna)], 22);
    EXPECT_EQ(kinds[static_cast<int>(MapFeatureKind::Rrna)], 2);
    EXPECT_EQ(kinds[static_cast<int>(MapFeatureKind::DLoop)], 1);

    // The two tracks do not touch.
    const MapArc* nd5 = arc_named(map, "MT-ND5");
    const MapArc* nd6 = arc_named(map, "MT-ND6");
    ASSERT_TRUE(nd5 && nd6);
    EXPECT_LT(nd6->outer_radius, nd5->inner_radius);

    // Clockwise from 1 at the top: a gene's arc starts at its first base.
    // The D-loop runs across the origin: from 16024 over 16569 to 576.
    struct Case {
        const char* label;
        int32_t start, end, letters;
    };
    for (const Case& c : {Case{"MT-TF", 577, 647, 71}, Case{"MT-CO1", 5904, 7445, 1542},
                          Case{"MT-CYB", 14747, 15887, 1141}, Case{"D-loop", 16024, 576, 16569 - 16024 + 1 + 576}}) {
        const MapArc* arc = arc_named(map, c.label);
        ASSERT_NE(arc, nullptr) << c.label;
        EXPECT_EQ(arc->start, c.start) << c.label;
        EXPECT_EQ(arc->end, c.end) << c.label;
        EXPECT_NEAR(arc->start_angle, (c.start - 1) * 360.0 / 16569, 1e-9) << c.label;
        EXPECT_NEAR(arc->sweep, c.letters * 360.0 / 16569, 1e-9) << c.label;
    }
    EXPECT_GT(arc_named(map, "D-loop")->start_angle + arc_named(map, "D-loop")->sweep, 360.0);

    // Long genes carry their symbol, the tRNAs are too short for one; no
    // label is upside down.
    EXPECT_TRUE(arc_named(map, "MT-ND5")->labelled);
    EXPECT_TRUE(arc_named(map, "MT-RNR2")->labelled);
    EXPECT_FALSE(arc_named(map, "MT-TF")->labelled);
    for (const MapArc& arc : map.arcs) EXPECT_LE(std::fabs(arc.label_rotation), 90.0) << arc.label;

    ASSERT_EQ(map.ticks.size(), 17u);  // 1, 1k ... 16k
    EXPECT_EQ(map.ticks[0].label, "1");
    EXPECT_EQ(map.ticks[16].label, "16k");
    EXPECT_NEAR(map.ticks[8].angle, (8000 - 0.5) * 360.0 / 16569, 1e-9);
}

TEST(GenomeMap, EachVariantIsDrawnWithItsWorstConsequence) {
    struct Case {
        int32_t position;
        char base;
        MapConsequence expected;
    };
    const Case cases[] = {
        {8993, 'G', MapConsequence::Missense},     // ATP6 p.Leu156Arg
        {8530, 'G', MapConsequence::Missense},     // ATP8 p.Trp55= and ATP6 p.Asn2Asp: the worse
        {8527, 'G', MapConsequence::Synonymous},   // ATP8 p.Lys54=, ATP6's start kept (GUG reads Met)
        {11719, 'A', MapConsequence::Synonymous},  // ND4 p.Gly138=
        {3376, 'T', MapConsequence::StopChange},   // ND1 p.Glu24Ter
        {7443, 'C', MapConsequence::StopChange},   // COX1's AGA stop becomes CGA
        {7445, 'G', MapConsequence::Synonymous},   // AGA to AGG: still a stop
        {3243, 'G', MapConsequence::Trna},
        {1555, 'G', MapConsequence::Rrna},
        {16519, 'C', MapConsequence::DLoop},
        {73, 'G', MapConsequence::DLoop},  // the D-loop past the origin
        {5740, 'A', MapConsequence::NonCoding},
    };
    const Workspace ws = rna_workspace({});
    for (const Case& c : cases)
        EXPECT_EQ(map_consequence(ws, c.position, c.base), c.expected) << c.position << c.base;
}

TEST(GenomeMap, BarsGrowWithTheSquareRootOfTheirShareAndHeteroplasmicOnesAreHollow) {
    Workspace ws = rna_workspace({{">A", {{16519, 'C'}, {3243, 'G'}, {8993, 'G'}}},
                                  {">B", {{16519, 'C'}, {3243, 'G'}}},
                                  {">C", {{16519, 'C'}}},
                                  {">D", {{16519, 'C'}}}});
    // 3243G only below the homoplasmic level; 8993G once at it.
    ws.sample_levels = {1.0f, 0.4f, 0.95f, 1.0f, 0.3f, 1.0f, 1.0f};
    const GenomeMap map = build_genome_map(ws);
    ASSERT_EQ(map.bars.size(), ws.variant_tally.size());
    EXPECT_EQ(map.samples, 4);
    const double longest = map.radius - map.bar_base;
    struct Case {
        int32_t position;
        double share;
        bool hollow;
        int heteroplasmic;
        MapConsequence consequence;
    };
    for (const Case& c : {Case{16519, 1.0, false, 0, MapConsequence::DLoop},
                          Case{3243, 0.5, true, 2, MapConsequence::Trna},
                          Case{8993, 0.25, false, 0, MapConsequence::Missense}}) {
        const MapBar* bar = bar_at_position(map, c.position);
        ASSERT_NE(bar, nullptr) << c.position;
        EXPECT_DOUBLE_EQ(bar->share, c.share) << c.position;
        EXPECT_EQ(bar->hollow, c.hollow) << c.position;
        EXPECT_EQ(bar->heteroplasmic, c.heteroplasmic) << c.position;
        EXPECT_EQ(bar->consequence, c.consequence) << c.position;
        EXPECT_DOUBLE_EQ(bar->inner_radius, map.bar_base);
        EXPECT_NEAR(bar->outer_radius - bar->inner_radius, longest * std::sqrt(c.share), 1e-9) << c.position;
        EXPECT_NEAR(bar->angle, (c.position - 0.5) * 360.0 / 16569, 1e-9);
    }
    EXPECT_NEAR(bar_at_position(map, 16519)->outer_radius, map.radius, 1e-9);
    EXPECT_EQ(map.title, "Variants of 4 samples on AC_000021");
    EXPECT_EQ(map_bar_text(map, *bar_at_position(map, 3243)),
              "3243 m.3243A>G | MT-TL1 | tRNA | 2 of 4 samples (2 heteroplasmic)");
    EXPECT_EQ(map_bar_text(map, *bar_at_position(map, 8993)),
              "8993 m.8993T>G | MT-ATP6 | missense | 1 of 4 samples");

    // The legend's marks are the bars' own lengths.
    ASSERT_FALSE(map.scale.empty());
    EXPECT_EQ(map.scale.front().label, "100%");
    EXPECT_NEAR(map.scale.front().length, longest, 1e-9);
}

TEST(GenomeMap, ThePointerFindsTheBarUnderItOnly) {
    const Workspace ws = rna_workspace({{">A", {{3243, 'G'}, {8993, 'G'}}}, {">B", {{3243, 'G'}}}});
    const GenomeMap map = build_genome_map(ws);
    for (const MapBar& bar : map.bars) {
        double x, y;
        map_point(map, bar.angle, (bar.inner_radius + bar.outer_radius) / 2, x, y);
        const MapBar* hit = map_bar_at(map, x, y);
        ASSERT_NE(hit, nullptr) << bar.position;
        EXPECT_EQ(hit->position, bar.position);
    }
    double x, y;
    map_point(map, map_angle(6000, 16569), map.bar_base + 5, x, y);  // far from both bars
    EXPECT_EQ(map_bar_at(map, x, y), nullptr);
    EXPECT_EQ(map_bar_at(map, map.cx, map.cy), nullptr);
    map_point(map, map.bars[0].angle, map.tick_radius, x, y);  // inside the tracks
    EXPECT_EQ(map_bar_at(map, x, y), nullptr);
}

TEST(GenomeMap, EveryPartStaysInsideThePictureAtEverySize) {
    const Workspace ws = rna_workspace({{">A", {{16519, 'C'}, {3243, 'G'}}}});
    struct Size {
        int width, height;
    };
    for (const Size s : {Size{MAP_DEFAULT_WIDTH, MAP_DEFAULT_HEIGHT}, Size{MAP_MINIMUM_WIDTH, MAP_MINIMUM_HEIGHT},
                         Size{1600, 600}, Size{500, 1200}, Size{100, 50}}) {
        const GenomeMap map = build_genome_map(ws, s.width, s.height);
        EXPECT_GE(map.width, std::max(s.width, MAP_MINIMUM_WIDTH));
        EXPECT_GE(map.height, std::max(s.height, MAP_MINIMUM_HEIGHT));
        EXPECT_GE(map.cx - map.radius, 0) << s.width << "x" << s.height;
        EXPECT_GE(map.cy - map.radius, map.text_pixels * 2) << "below the title";
        EXPECT_LE(map.cy + map.radius, map.height);
        // The legend's column: its widest line and its last line fit.
        EXPECT_LE(map.legend_x + map.text_pixels * 0.6 * 27, map.width) << s.width << "x" << s.height;
        EXPECT_LE(map.legend_y + map.text_pixels * 1.45 * 21, map.height) << s.width << "x" << s.height;
    }
}

TEST(GenomeMap, SvgHoldsAnArcPerGeneABarPerVariantAndEscapedTexts) {
    Workspace ws = rna_workspace({{">A", {{16519, 'C'}, {3243, 'G'}}}, {">B", {{16519, 'C'}}}});
    ws.reference_accession = "AC_000021 <&>";
    const GenomeMap map = build_genome_map(ws);
    const std::string svg = genome_map_svg(map);
    EXPECT_EQ(count_of(svg, "class=\"arc\""), 38u);
    EXPECT_EQ(count_of(svg, "<polygon class=\"bar"), 2u);
    EXPECT_EQ(count_of(svg, "class=\"bar hollow\""), 0u);
    EXPECT_NE(svg.find("AC_000021 &lt;&amp;&gt;"), std::string::npos);
    EXPECT_EQ(svg.find("<&>"), std::string::npos);
    EXPECT_NE(svg.find("font-family=\"Liberation Sans"), std::string::npos);
    EXPECT_EQ(svg.find("href"), std::string::npos);  // nothing from outside
    EXPECT_NE(svg.find("<title>16519 m.16519T&gt;C | D-loop | D-loop | 2 of 2 samples</title>"), std::string::npos);
    EXPECT_TRUE(std::regex_search(svg, std::regex("<svg [^>]*width=\"900\" height=\"700\"")));
}

}  // namespace
}  // namespace corvella
