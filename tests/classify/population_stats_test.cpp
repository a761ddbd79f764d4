#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "classify/population_stats.h"
#include "core/human_reference.h"
#include "rna_test_support.h"

using namespace corvella;
using corvella::testing::rna_workspace;
using corvella::testing::SampleSpec;

namespace {

struct Found {
    const PopulationStatsRow* row = nullptr;
    const StatsRegion* region = nullptr;
};

struct Table {
    std::vector<StatsRegion> regions;
    std::vector<PopulationStatsRow> rows;
    Found at(const std::string& name, const std::string& group = "all") const {
        for (const PopulationStatsRow& r : rows)
            if (regions[static_cast<size_t>(r.region)].name == name && r.group == group)
                return {&r, &regions[static_cast<size_t>(r.region)]};
        ADD_FAILURE() << "no row " << name << " / " << group;
        return {};
    }
};

Table stats_of(const Workspace& ws, const SampleGroups& groups = SampleGroups{}, const OutgroupBases& outgroup = {}) {
    return {stats_regions(ws), population_stats(ws, groups, outgroup)};
}

// Tajima's D straight from the sample sequences: every pair of samples
// compared letter by letter, S from the columns.
std::optional<double> direct_tajima_d(const Workspace& ws, const StatsRegion& region) {
    std::vector<std::string> sequences;
    for (size_t i = 0; i < ws.sample_positions.size(); ++i) {
        std::string s;
        for (const int32_t p : region.positions) {
            char letter = ws.reference_letter(p);
            for (size_t j = 0; j < ws.sample_positions[i].size(); ++j)
                if (ws.sample_positions[i][j] == p) letter = ws.sample_bases[i][j];
            s.push_back(letter);
        }
        sequences.push_back(s);
    }
    const size_t n = sequences.size();
    double pairs = 0, differences = 0;
    for (size_t a = 0; a < n; ++a)
        for (size_t b = a + 1; b < n; ++b) {
            ++pairs;
            for (size_t k = 0; k < region.positions.size(); ++k) differences += sequences[a][k] != sequences[b][k];
        }
    int S = 0;
    for (size_t k = 0; k < region.positions.size(); ++k) {
        bool differ = false;
        for (size_t a = 1; a < n; ++a) differ = differ || sequences[a][k] != sequences[0][k];
        S += differ;
    }
    if (n < 4 || S == 0) return std::nullopt;
    double a1 = 0, a2 = 0;
    for (size_t i = 1; i < n; ++i) {
        a1 += 1.0 / static_cast<double>(i);
        a2 += 1.0 / static_cast<double>(i * i);
    }
    const double N = static_cast<double>(n);
    const double b1 = (N + 1) / (3 * (N - 1)), b2 = 2 * (N * N + N + 3) / (9 * N * (N - 1));
    const double c1 = b1 - 1 / a1, c2 = b2 - (N + 2) / (a1 * N) + a2 / (a1 * a1);
    const double var = c1 / a1 * S + c2 / (a1 * a1 + a2) * S * (S - 1);
    return (differences / pairs - S / a1) / std::sqrt(var);
}

void expect_near(const std::optional<double>& got, const std::optional<double>& want, const std::string& what) {
    ASSERT_EQ(got.has_value(), want.has_value()) << what;
    if (want) {
        EXPECT_NEAR(*got, *want, 1e-9 * std::max(1.0, std::fabs(*want))) << what;
    }
}

// Four samples in tRNA-Phe (577..647, 71 letters): 590 carried by two, 600
// with two new letters, one sample with nothing.
Workspace four_in_trna() {
    const char a = 'C', b1 = 'G', b2 = 'C';  // 590 T>C; 600 A>G and A>C
    return rna_workspace({{">S1", {{590, a}}}, {">S2", {{590, a}, {600, b1}}}, {">S3", {}}, {">S4", {{600, b2}}}});
}

// Five samples in ATP6/ATP8: 8527 A>G is ATP6 M>V and ATP8 K>K; 8860 A>G ATP6 T>A.
Workspace five_in_atp() {
    return rna_workspace({{">S1", {{8527, 'G'}}},
                          {">S2", {{8527, 'G'}, {8860, 'G'}}},
                          {">S3", {}},
                          {">S4", {{8860, 'G'}}},
                          {">S5", {{8527, 'G'}}}});
}

// Four samples in CYTB (codons from 14747: ATG ACC CCA ATA CGC AAA ACT AAC):
// every sample carries 14759T (CGC>TGC, R>C); polymorphic 14755G (CCG, P=),
// 14764G (AAG, K=), 14768G (GAC, N>D), 14761T (CGT, R=) and 14770 with T
// (AAT, N=) and A (AAA, N>K).
Workspace four_in_cytb() {
    return rna_workspace({{">S1", {{14759, 'T'}, {14755, 'G'}, {14764, 'G'}, {14770, 'T'}}},
                          {">S2", {{14759, 'T'}, {14764, 'G'}, {14770, 'A'}}},
                          {">S3", {{14759, 'T'}, {14768, 'G'}}},
                          {">S4", {{14759, 'T'}, {14761, 'T'}}}});
}

}  // namespace

TEST(PopulationStats, HandWorkedDiversityOfSmallCohorts) {
    // n = 4, tRNA-Phe: at 590 two and two (4 differing pairs of 6), at 600
    // two, one and one (5 pairs); haplotypes {590}, {590,600G}, {}, {600C}.
    // a1 = 11/6. Pi = (4 + 5) / 6 / 71; ThetaW = 2 / (11/6 * 71).
    // n = 5, ATP8 (207 letters): only 8527, three and two (6 of 10 pairs);
    // a1 = 25/12. ATP6 (681 letters): 8527 and 8860, 6 pairs each;
    // haplotypes 2, 1, 1, 1 -> Hd = 5/4 (1 - 7/25) = 0.9.
    // The genome leaves out 3107: 16568 letters.
    struct Case {
        const char* what;
        Workspace ws;
        const char* region;
        int64_t n;
        int32_t S;
        int64_t haplotypes;
        double hd, pi, theta_w;
    } cases[] = {
        {"n=4 tRNA", four_in_trna(), "tRNA-Phe", 4, 2, 4, 1.0, 9.0 / 6 / 71, 2 / (11.0 / 6 * 71)},
        {"n=4 genome", four_in_trna(), "Genome", 4, 2, 4, 1.0, 9.0 / 6 / 16568, 2 / (11.0 / 6 * 16568)},
        {"n=4 untouched tRNA", four_in_trna(), "tRNA-Val", 4, 0, 1, 0.0, 0.0, 0.0},
        {"n=5 ATP6", five_in_atp(), "ATP6", 5, 2, 4, 0.9, 12.0 / 10 / 681, 2 / (25.0 / 12 * 681)},
        {"n=5 ATP8", five_in_atp(), "ATP8", 5, 1, 2, 5.0 / 4 * 12 / 25, 6.0 / 10 / 207, 1 / (25.0 / 12 * 207)},
        {"n=4 CYTB, 14759 fixed", four_in_cytb(), "CYTB", 4, 5, 4, 1.0, 18.0 / 6 / 1141, 5 / (11.0 / 6 * 1141)},
    };
    for (const Case& c : cases) {
        const Table t = stats_of(c.ws);
        const Found f = t.at(c.region);
        ASSERT_NE(f.row, nullptr) << c.what;
        EXPECT_EQ(f.row->n, c.n) << c.what;
        EXPECT_EQ(f.row->segregating, c.S) << c.what;
        EXPECT_EQ(f.row->haplotypes, c.haplotypes) << c.what;
        expect_near(f.row->hd, c.hd, c.what);
        expect_near(f.row->pi, c.pi, c.what);
        expect_near(f.row->theta_w, c.theta_w, c.what);
        expect_near(f.row->tajima_d, direct_tajima_d(c.ws, *f.region), c.what);
    }
}

TEST(PopulationStats, TajimaDAgainstAllPairsOnLargerCohorts) {
    // Twelve samples with overlapping sets, some sharing a haplotype, one
    // position with three letters and a sample with nothing.
    std::vector<SampleSpec> samples;
    const std::vector<std::pair<int32_t, char>> pool = {{14766, 'T'}, {14793, 'G'}, {15326, 'G'}, {15301, 'A'},
                                                        {14905, 'A'}, {15452, 'A'}, {14766, 'A'}};
    for (int i = 0; i < 12; ++i) {
        SampleSpec s{">S" + std::to_string(i), {}};
        for (size_t k = 0; k < pool.size(); ++k)
            if ((i * 7 + static_cast<int>(k) * 3) % 5 < 2 && !(k == 6 && (i % 5) < 2)) s.variants.push_back(pool[k]);
        if (i == 11) s.variants.clear();
        samples.push_back(s);
    }
    const Workspace ws = rna_workspace(samples);
    const Table t = stats_of(ws);
    for (const char* region : {"CYTB", "Genome"}) {
        const Found f = t.at(region);
        ASSERT_TRUE(direct_tajima_d(ws, *f.region).has_value());
        expect_near(f.row->tajima_d, direct_tajima_d(ws, *f.region), region);
    }
    // The formula alone: a worked value (n = 4, S = 2, k = 1.5, constants
    // a1 = 11/6, a2 = 49/36, e1 = 1/181.5, e2 = c2 / (a1^2 + a2)).
    const double a1 = 11.0 / 6, a2 = 49.0 / 36;
    const double c2 = 23.0 / 54 - 9.0 / 11 + a2 / (a1 * a1);
    const double expected = (1.5 - 2 / a1) / std::sqrt(1.0 / 99 / a1 * 2 + c2 / (a1 * a1 + a2) * 2);
    expect_near(tajima_d(4, 2, 1.5), expected, "n=4 S=2");
    EXPECT_FALSE(tajima_d(3, 2, 1.0));
    EXPECT_FALSE(tajima_d(10, 0, 0.0));
}

TEST(PopulationStats, SynonymousAndNonSynonymousDiversity) {
    struct Case {
        const char* what;
        Workspace ws;
        const char* region;
        double syn_pairs, non_pairs;  // differing pairs of each class over C(n, 2)
    } cases[] = {
        // 8527 in two genes: non-synonymous in ATP6, synonymous in ATP8.
        {"ATP6", five_in_atp(), "ATP6", 0, 12.0 / 10},
        {"ATP8", five_in_atp(), "ATP8", 6.0 / 10, 0},
        // CYTB: synonymous 3 (14755) + 4 (14764) + 3 (14761) + 2 (14770 C-T);
        // non-synonymous 3 (14768) + 3 (14770 C-A and T-A), over 6 pairs.
        {"CYTB", four_in_cytb(), "CYTB", 12.0 / 6, 6.0 / 6},
    };
    for (const Case& c : cases) {
        const Table table = stats_of(c.ws);
        const PopulationStatsRow& r = *table.at(c.region).row;
        ASSERT_TRUE(r.protein) << c.what;
        ASSERT_TRUE(r.pi_s && r.pi_n) << c.what;
        EXPECT_NEAR(*r.pi_s * r.ls, c.syn_pairs, 1e-9) << c.what;
        EXPECT_NEAR(*r.pi_n * r.ln, c.non_pairs, 1e-9) << c.what;
        if (c.syn_pairs == 0) {
            EXPECT_FALSE(r.pi_n_over_pi_s) << c.what;
        } else {
            expect_near(r.pi_n_over_pi_s, *r.pi_n / *r.pi_s, c.what);
        }
    }
    // Not a protein gene: no synonymous columns.
    EXPECT_FALSE(stats_of(four_in_trna()).at("tRNA-Phe").row->protein);
}

TEST(PopulationStats, SitesOfATinyReferenceByHand) {
    // ATP6 = ATG AAA TAG at 1..9: each codon has one synonymous third-position
    // change (ATA = M under the mitochondrial code, AAG = K, TAA = stop as an
    // amino acid), so LS = 3 x 1/3 = 1 and LN = 27/3 - 1 = 8. ND6 reads
    // 10..15 = CATCAT backwards and complemented: ATG ATG, LS = 2/3.
    Workspace ws;
    ws.ref_sequence = "ATGAAATAGCATCAT";
    ws.region_table[protein_start_slot(0)] = 1;
    ws.region_table[protein_end_slot(0)] = 9;
    ws.region_table[protein_start_slot(ND6_ROW)] = 10;
    ws.region_table[protein_end_slot(ND6_ROW)] = 15;
    ws.protein_reading = built_in_protein_readings();
    ws.sample_positions = FlatPositions{{3}, {}};
    ws.sample_bases = FlatTexts{"A", ""};  // ATG > ATA, M = M
    ws.sample_names = FlatTexts{">a", ">b"};
    const Table t = stats_of(ws);
    const PopulationStatsRow& atp6 = *t.at("ATP6").row;
    EXPECT_NEAR(atp6.ls, 1.0, 1e-12);
    EXPECT_NEAR(atp6.ln, 8.0, 1e-12);
    EXPECT_NEAR(*atp6.pi_s, 1.0, 1e-12);  // one differing pair of one, over LS = 1
    EXPECT_EQ(*atp6.pi_n, 0.0);
    const PopulationStatsRow& nd6 = *t.at("ND6").row;
    EXPECT_NEAR(nd6.ls, 2.0 / 3, 1e-12);
    EXPECT_NEAR(nd6.ln, 16.0 / 3, 1e-12);
    // A region whose range is not set has no letters: nothing is divided by 0.
    const PopulationStatsRow& cox1 = *t.at("COX1").row;
    EXPECT_EQ(cox1.n, 2);
    EXPECT_FALSE(cox1.pi);
    EXPECT_FALSE(cox1.pi_s);
}

TEST(PopulationStats, CodonsOnTheGenesStrandCompletedAtTheEnd) {
    const Workspace ws = corvella::testing::rna_workspace({});
    struct Case {
        int gene;
        int32_t p;
        char x;
        const char* amino_acid;
    } cases[] = {
        {0, 8527, 'G', "V"},   {1, 8527, 'G', "K"},  {1, 8527, 'A', "K"},  // one position, two genes
        {5, 14766, 'T', "I"},  {12, 14673, 'C', "V"}, {12, 14673, 'T', "M"}, // ND6 on the other strand
        {4, 9990, 'T', "STOP"}, {4, 9990, 'C', "Q"},  // COX3 ends in T: TAA, and C gives CAA
        {6, 4262, 'A', "STOP"}, {6, 4262, 'C', "S"},  // ND1 ends in TA: TAA, TCA
        {12, 14149, 'T', "STOP"},                    // ND6 AGG > AGA, a stop for a stop
    };
    for (const Case& c : cases)
        EXPECT_EQ(amino_acid_with(ws, c.gene, c.p, c.x), c.amino_acid) << c.gene << " " << c.p << c.x;
}

TEST(PopulationStats, McDonaldKreitmanAgainstAnOutgroup) {
    // The outgroup is the reference with T at 14766 (ACT>ATT, T>I) and A at
    // 14749 (ATG>ATA, M=), T at 14752 (ACC>ACT, T=), a deletion at 14771 and
    // an N at 14765; it keeps the reference C at 14759, where every sample
    // has T (TGC, C, against CGC, R). It also differs at the polymorphic
    // 14755, which is no fixed difference.
    const Workspace ws = four_in_cytb();
    std::string outgroup = ws.ref_sequence;
    const std::pair<int32_t, char> changes[] = {{14766, 'T'}, {14749, 'A'}, {14752, 'T'},
                                                {14771, '-'}, {14765, 'N'}, {14755, 'T'}};
    for (const auto& [p, b] : changes) outgroup[static_cast<size_t>(p - 1)] = b;
    const Table t = stats_of(ws, SampleGroups{}, outgroup);
    const PopulationStatsRow& cytb = *t.at("CYTB").row;
    ASSERT_TRUE(cytb.outgroup);
    EXPECT_EQ(cytb.dn, 2);  // 14766, 14759
    EXPECT_EQ(cytb.ds, 2);  // 14749, 14752
    EXPECT_EQ(cytb.pn, 2);  // 14768; 14770 (N, N and K)
    EXPECT_EQ(cytb.ps, 3);  // 14755, 14764, 14761
    expect_near(cytb.ni, (2.0 / 3) / (2.0 / 2), "NI");
    expect_near(cytb.dos, 2.0 / 4 - 2.0 / 5, "DoS");
    expect_near(cytb.fisher_p, 1.0, "p");  // 2 2 / 2 3 is the likeliest table of its margins
    // Genes without differences: the divisions are undefined, p is 1.
    const PopulationStatsRow& cox1 = *t.at("COX1").row;
    EXPECT_EQ(cox1.dn + cox1.ds + cox1.pn + cox1.ps, 0);
    EXPECT_FALSE(cox1.ni);
    EXPECT_FALSE(cox1.dos);
    expect_near(cox1.fisher_p, 1.0, "COX1 p");
    EXPECT_FALSE(t.at("tRNA-Phe").row->outgroup);
    // Without an outgroup no row has the counts.
    EXPECT_FALSE(stats_of(ws).at("CYTB").row->outgroup);
}

TEST(PopulationStats, FisherExactTwoSided) {
    struct Case {
        int64_t a, b, c, d;
        double p;
    } cases[] = {
        {3, 1, 1, 3, 34.0 / 70},          // the tea-tasting table: (1 + 16 + 16 + 1) / 70
        {0, 5, 5, 0, 2.0 / 252},          // only the two extreme tables
        {10, 0, 0, 10, 2.0 / 184756},
        {2, 2, 2, 3, 1.0},
        {0, 0, 0, 0, 1.0},
        {1, 0, 0, 0, 1.0},
        {4, 0, 0, 1, 1.0 / 5},            // margins 4,1 / 4,1: tables x=4 (1/5) and x=3 (4/5)
    };
    for (const Case& c : cases)
        EXPECT_NEAR(fisher_exact_two_sided(c.a, c.b, c.c, c.d), c.p, 1e-12 + 1e-9 * c.p)
            << c.a << " " << c.b << " " << c.c << " " << c.d;
}

TEST(PopulationStats, GroupsSplitTheCohortAndAllCoversIt) {
    // CYTB cohort: S1 and S2 in A, S3 in B, S4 named by no line: (none).
    const Workspace ws = four_in_cytb();
    const SampleGroups groups = assign_sample_groups(ws, parse_group_text("S1\tA\nS3\tB\nS2\tA\nS9\tB\n"));
    const Table t = stats_of(ws, groups);
    const Table whole = stats_of(ws);
    // Rows per region: all, A, B, (none).
    std::vector<std::string> order;
    for (const PopulationStatsRow& r : t.rows)
        if (r.region == 0) order.push_back(r.group);
    EXPECT_EQ(order, (std::vector<std::string>{"all", "A", "B", "(none)"}));
    EXPECT_EQ(t.rows.size(), 4 * t.regions.size());
    struct Case {
        const char* group;
        int64_t n;
        int32_t S;
        int64_t haplotypes;
        std::optional<double> hd, pi;
    } cases[] = {
        // A: S1 {55, 59, 64, 70T}, S2 {59, 64, 70A}: 14755 and 14770 differ.
        {"A", 2, 2, 2, 1.0, 2.0 / 1141},
        {"B", 1, 0, 1, std::nullopt, std::nullopt},
        {"(none)", 1, 0, 1, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const PopulationStatsRow& r = *t.at("CYTB", c.group).row;
        EXPECT_EQ(r.n, c.n) << c.group;
        EXPECT_EQ(r.segregating, c.S) << c.group;
        EXPECT_EQ(r.haplotypes, c.haplotypes) << c.group;
        expect_near(r.hd, c.hd, c.group);
        expect_near(r.pi, c.pi, c.group);
        EXPECT_FALSE(r.tajima_d) << c.group;
    }
    // The "all" rows are those of the cohort without groups, region by region.
    for (size_t k = 0; k < whole.rows.size(); ++k) {
        const PopulationStatsRow& a = *t.at(whole.regions[static_cast<size_t>(whole.rows[k].region)].name).row;
        const PopulationStatsRow& b = whole.rows[k];
        EXPECT_EQ(a.n, b.n);
        EXPECT_EQ(a.segregating, b.segregating);
        EXPECT_EQ(a.haplotypes, b.haplotypes);
        expect_near(a.pi, b.pi, "all pi");
        expect_near(a.hd, b.hd, "all hd");
    }
}

TEST(PopulationStats, SampleListsAsReadersLeaveThem) {
    // Out of order, the same substitution twice, a reference letter given as
    // new, 3107 (N), a position past the end and an unreadable base: the
    // sequence is the same as that of the clean sample.
    const Workspace messy = rna_workspace({{">S1", {{600, 'G'}, {590, 'C'}, {600, 'G'}, {577, 'G'}, {3107, 'A'},
                                                    {16570, 'A'}, {591, 'Z'}}},
                                           {">S2", {{590, 'C'}, {600, 'G'}}},
                                           {">S3", {}}});
    const Table t = stats_of(messy);
    const PopulationStatsRow& phe = *t.at("tRNA-Phe").row;
    EXPECT_EQ(phe.segregating, 2);
    EXPECT_EQ(phe.haplotypes, 2);  // S1 and S2 are one haplotype
    expect_near(phe.pi, 2 * (2.0 / 3) / 71, "pi");
    const PopulationStatsRow& rnr2 = *t.at("l-rRNA").row;
    EXPECT_EQ(rnr2.segregating, 0);
    EXPECT_EQ(t.at("l-rRNA").region->positions.size(), 3229u - 1671u + 1 - 1);  // less 3107
}

TEST(PopulationStatsReport, HeaderSymbolsAndSixDigits) {
    const Workspace ws = four_in_trna();
    const Report text = population_stats_report(ws, SampleGroups{}, {}, ReportFormat::Text);
    const std::string header =
        "Region\tSymbol\tGroup\tn\tS\tHaplotypes\tHd\tPi\tThetaW\tTajimaD\tLS\tLN\tPiS\tPiN\tPiN/PiS\n";
    ASSERT_EQ(text.text.substr(0, header.size()), header);
    auto line_in = [](const std::string& report, const std::string& start) {
        const size_t at = report.find("\n" + start);
        EXPECT_NE(at, std::string::npos) << start;
        return at == std::string::npos ? std::string() : report.substr(at + 1, report.find('\n', at + 1) - at - 1);
    };
    auto line_of = [&](const std::string& start) { return line_in(text.text, start); };
    const std::string d = [&] {
        char b[32];
        std::snprintf(b, sizeof b, "%.6g", *direct_tajima_d(ws, *stats_of(ws).at("tRNA-Phe").region));
        return std::string(b);
    }();
    EXPECT_EQ(line_of("tRNA-Phe\t"), "tRNA-Phe\tMT-TF\tall\t4\t2\t4\t1\t0.0211268\t0.0153649\t" + d + "\t\t\t\t\t");
    EXPECT_EQ(line_of("D-loop\t"), "D-loop\tD-loop\tall\t4\t0\t1\t0\t0\t0\t\t\t\t\t\t");
    auto starts = [](const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; };
    EXPECT_TRUE(starts(line_of("Genome\t"), "Genome\tgenome\tall\t4\t2\t4\t1\t"));
    // ATP6: no variant; LS and LN of the whole gene, PiS and PiN 0, PiN/PiS undefined.
    const std::string atp6 = line_of("ATP6\t");
    EXPECT_TRUE(starts(atp6, "ATP6\tMT-ATP6\tall\t4\t0\t1\t0\t0\t0\t\t")) << atp6;
    EXPECT_EQ(atp6.substr(atp6.size() - 5), "\t0\t0\t") << atp6;
    EXPECT_EQ(std::count(text.text.begin(), text.text.end(), '\n'), 1 + 39);

    // With an outgroup seven more columns, filled on protein rows only.
    const Report with = population_stats_report(ws, SampleGroups{}, ws.ref_sequence, ReportFormat::Text);
    EXPECT_NE(with.text.find("\tPiN/PiS\tDN\tDS\tPN\tPS\tNI\tDoS\tp\n"), std::string::npos);
    EXPECT_NE(with.text.find("\nATP8\tMT-ATP8\tall\t4\t0\t1\t0\t0\t0\t\t"), std::string::npos);
    const std::string phe_line = line_in(with.text, "tRNA-Phe\t");
    EXPECT_EQ(std::count(phe_line.begin(), phe_line.end(), '\t'), 21);
    EXPECT_EQ(phe_line.substr(phe_line.size() - 12), std::string(12, '\t'));

    // The workbook form: the same fields as cells.
    const Report cells = population_stats_report(ws, SampleGroups{}, {}, ReportFormat::Workbook);
    ASSERT_FALSE(cells.cells.empty());
    EXPECT_EQ(cells.cells.front().text, "Region");
}

TEST(PopulationStats, LargeCohortAgainstADirectCount) {
    // 25,000 samples (enough to share the haplotype tables among the cores)
    // in three groups, drawn from a pool of substitutions in ND1, the D-loop
    // across the origin and tRNA-Leu(UUR); every sample's haplotype of a
    // region counted here as the set of its substitutions there.
    const std::vector<std::pair<int32_t, char>> pool = {
        {3308, 'C'}, {3348, 'G'}, {3394, 'C'}, {3480, 'G'}, {3594, 'T'}, {4216, 'C'}, {3480, 'C'},
        {16519, 'C'}, {16223, 'T'}, {73, 'G'}, {263, 'G'}, {3243, 'G'}, {3290, 'C'}};
    std::vector<SampleSpec> samples;
    std::string file;
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
    for (int i = 0; i < 25000; ++i) {
        SampleSpec s{">s" + std::to_string(i), {}};
        for (const auto& v : pool)
            if (next() % 7 == 0) s.variants.push_back(v);
        samples.push_back(s);
        if (i % 10 != 9) file += "s" + std::to_string(i) + "\t" + "ABC"[next() % 3] + "\n";
    }
    const Workspace ws = rna_workspace(samples);
    const SampleGroups groups = assign_sample_groups(ws, parse_group_text(file));
    const Table t = stats_of(ws, groups);
    for (const char* region : {"ND1", "D-loop", "tRNA-Leu(UUR)", "Genome"}) {
        const StatsRegion& r = *t.at(region).region;
        std::vector<bool> in_region(static_cast<size_t>(ws.reference_length()) + 1, false);
        for (const int32_t p : r.positions) in_region[static_cast<size_t>(p)] = true;
        for (size_t column = 0; column <= groups.names.size(); ++column) {
            const std::string name = column == 0 ? "all" : groups.names[column - 1];
            std::map<std::vector<std::pair<int32_t, char>>, int64_t> haplotypes;
            std::map<int32_t, std::map<char, int64_t>> letters;
            int64_t n = 0;
            for (size_t i = 0; i < samples.size(); ++i) {
                if (column > 0 && groups.of_sample[i] != column - 1) continue;
                ++n;
                std::map<int32_t, char> sequence;  // the later of two letters at one position stands
                for (const auto& [p, b] : samples[i].variants)
                    if (in_region[static_cast<size_t>(p)] && b != ws.reference_letter(p)) sequence[p] = b;
                ++haplotypes[std::vector<std::pair<int32_t, char>>(sequence.begin(), sequence.end())];
                for (const auto& [p, b] : sequence) ++letters[p][b];
            }
            double squares = 0, pi = 0;
            for (const auto& h : haplotypes) squares += static_cast<double>(h.second) * static_cast<double>(h.second);
            int32_t S = 0;
            for (const auto& [p, by_letter] : letters) {
                int64_t others = 0;
                double same = 0;
                for (const auto& [b, c] : by_letter) {
                    others += c;
                    same += static_cast<double>(c) * static_cast<double>(c);
                }
                same += static_cast<double>(n - others) * static_cast<double>(n - others);
                S += others < n || by_letter.size() > 1;
                pi += static_cast<double>(n) / static_cast<double>(n - 1) * (1 - same / (static_cast<double>(n) * static_cast<double>(n)));
            }
            const PopulationStatsRow& row = *t.at(region, name).row;
            const std::string what = std::string(region) + " / " + name;
            EXPECT_EQ(row.n, n) << what;
            EXPECT_EQ(row.segregating, S) << what;
            EXPECT_EQ(row.haplotypes, static_cast<int64_t>(haplotypes.size())) << what;
            expect_near(row.hd, static_cast<double>(n) / static_cast<double>(n - 1) *
                                    (1 - squares / (static_cast<double>(n) * static_cast<double>(n))), what);
            expect_near(row.pi, pi / static_cast<double>(r.positions.size()), what);
        }
    }
}
