#include "classify/gene_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "rna_test_support.h"

namespace corvella {
namespace {

// The vertebrate mitochondrial code written out by the test, codon by codon.
char translate(const std::string& codon) {
    static const std::map<std::string, char> code = [] {
        const std::string bases = "TCAG";
        const std::string amino =
            "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSS**VVVVAAAADDEEGGGG";
        std::map<std::string, char> m;
        int k = 0;
        for (char a : bases)
            for (char b : bases)
                for (char c : bases) m[std::string{a, b, c}] = amino[static_cast<size_t>(k++)];
        return m;
    }();
    const auto it = code.find(codon);
    return it == code.end() ? '?' : it->second;
}

char complement(char c) {
    switch (c) {
        case 'A': return 'T';
        case 'T': return 'A';
        case 'C': return 'G';
        case 'G': return 'C';
        default: return c;
    }
}

// Brute force: every position of the gene, every other letter, the codon
// read in the gene's direction (ND6 backwards on the complement). The last
// codon of a gene that ends in T or TA is completed by the poly(A) tail; a
// change of the first codon keeps the protein (synonymous) when it gives
// another initiation codon of the code (ATT, ATC, ATA, ATG, GTG) and loses
// it (counted with the missense changes) otherwise.
std::array<int32_t, 4> brute_force_possible(const Workspace& ws, int gene) {
    std::array<int32_t, 4> counts{};
    const int32_t s = ws.protein_start(gene), e = ws.protein_end(gene);
    const bool reverse = gene == ND6_ROW;
    const std::set<std::string> starts = {"ATT", "ATC", "ATA", "ATG", "GTG"};
    auto letter = [&](int32_t q) {
        if (q < s || q > e) return 'A';  // the tail after the gene's last letter
        return reverse ? complement(ws.reference_letter(q)) : ws.reference_letter(q);
    };
    for (int32_t p = s; p <= e; ++p) {
        const int32_t offset = reverse ? e - p : p - s;
        const int in_codon = offset % 3;
        std::string ref;
        for (int i = 0; i < 3; ++i) ref += letter(reverse ? p + in_codon - i : p - in_codon + i);
        for (char b : std::string("ACGT")) {
            if (b == ws.reference_letter(p)) continue;
            std::string changed = ref;
            changed[static_cast<size_t>(in_codon)] = reverse ? complement(b) : b;
            if (offset < 3) {
                ++counts[starts.count(changed) ? 0 : 1];
                continue;
            }
            const char from = translate(ref), to = translate(changed);
            if (from == '?' || to == '?') continue;
            if (from == to) ++counts[0];
            else if (from == '*') ++counts[3];
            else if (to == '*') ++counts[2];
            else ++counts[1];
        }
    }
    return counts;
}

TEST(GeneTable, PossibleChangesMatchABruteForceCount) {
    const Workspace ws = testing::rna_workspace({});
    const auto rows = gene_table_rows(ws);
    ASSERT_EQ(rows.size(), 13u + 24u + 1u);
    int32_t all_missense = 0;
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) {
        const GeneTableRow& r = rows[static_cast<size_t>(g)];
        EXPECT_EQ(r.region.type, RegionType::Protein);
        EXPECT_EQ(r.length, ws.protein_end(g) - ws.protein_start(g) + 1);
        const auto expected = brute_force_possible(ws, g);
        for (size_t c = 0; c < 4; ++c) EXPECT_EQ(r.possible[c], expected[c]) << PROTEIN_GENE_NAMES[g] << " class " << c;
        // Each gene starts with a codon and ends with a stop: both classes occur.
        EXPECT_GT(r.possible[2], 0) << PROTEIN_GENE_NAMES[g];
        EXPECT_GT(r.possible[3], 0) << PROTEIN_GENE_NAMES[g];
        all_missense += r.possible[1];
        EXPECT_EQ(r.observed, (std::array<int32_t, 4>{}));
    }
    EXPECT_GT(all_missense, 20000);
    // RNA genes: three changes per position, the stems of the structure
    // tables (12S and 16S count 418 and 604 stem positions).
    const GeneTableRow& phe = rows[13];
    EXPECT_EQ(variant_region_name(phe.region), "tRNA-Phe");
    EXPECT_EQ(phe.length, 71);
    EXPECT_EQ(phe.possible_all, 213);
    EXPECT_GT(phe.possible_stem, 0);
    EXPECT_GT(phe.possible_loop, 0);
    EXPECT_LE(phe.possible_stem + phe.possible_loop, phe.possible_all);
    const GeneTableRow& s12 = rows[13 + RRNA_12S_ROW];
    EXPECT_EQ(s12.length, 954);
    EXPECT_EQ(s12.possible_stem, 3 * 418);
    EXPECT_EQ(s12.possible_stem + s12.possible_non_stem, s12.possible_all);
    EXPECT_EQ(rows[13 + RRNA_16S_ROW].possible_stem, 3 * 604);
    const GeneTableRow& dloop = rows.back();
    EXPECT_EQ(dloop.region.type, RegionType::DLoop);
    EXPECT_EQ(dloop.length, 16569 - 16024 + 1 + 576);  // across the origin
}

// The text rows of the table by region name.
std::map<std::string, std::vector<std::string>> by_region(const std::string& text) {
    std::map<std::string, std::vector<std::string>> rows;
    for (auto& f : testing::split_table(text)) rows[f[0]] = f;
    return rows;
}

TEST(GeneTable, ObservedDistinctVariantsAndRatios) {
    // 8993G (ATP6 missense) twice, 9207G (ATP6 stop kept, COX3 start kept),
    // 14484C (ND6 missense), 3243G (tRNA loop), 1555G (12S), 16519C (D-loop),
    // and 576C at the D-loop's end on the far side of the origin.
    const Workspace ws = testing::rna_workspace({{">A", {{8993, 'G'}, {9207, 'G'}, {3243, 'G'}, {16519, 'C'}}},
                                                 {">B", {{8993, 'G'}, {14484, 'C'}, {1555, 'G'}, {576, 'C'}}}});
    const auto rows = gene_table_rows(ws);
    const GeneTableRow& atp6 = rows[0];
    EXPECT_EQ(atp6.observed, (std::array<int32_t, 4>{1, 1, 0, 0}));
    EXPECT_EQ(atp6.observed_all, 2);
    EXPECT_EQ(rows[4].observed, (std::array<int32_t, 4>{1, 0, 0, 0}));  // COX3 ATG -> GTG, still a start
    EXPECT_EQ(rows[ND6_ROW].observed[1], 1);
    EXPECT_EQ(rows[13 + 2].observed_all, 1);  // tRNA-Leu(UUR)
    EXPECT_EQ(rows[13 + 2].observed_stem + rows[13 + 2].observed_loop, 1);
    EXPECT_EQ(rows[13 + RRNA_12S_ROW].observed_all, 1);
    EXPECT_EQ(rows.back().observed_all, 2);

    const auto text = by_region(gene_table_report(ws, ReportFormat::Text).text);
    ASSERT_EQ(text.size(), 39u);  // header and 38 regions
    EXPECT_EQ(text.at("Region"), gene_table_header());
    const auto& a = text.at("ATP6");
    EXPECT_EQ(a[1], "MT-ATP6");
    EXPECT_EQ(a[2], "protein");
    EXPECT_EQ(a[3], "681");
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.4f", (1.0 / atp6.possible[1]) / (1.0 / atp6.possible[0]));
    EXPECT_EQ(a[16], expected);
    std::snprintf(expected, sizeof expected, "%.4f", 1.0 / atp6.possible[1]);
    EXPECT_EQ(a[13], expected);
    // No synonymous change seen: pN/pS is undefined and left empty; COX3
    // has a synonymous one and no missense.
    EXPECT_EQ(text.at("COX3")[16], "0.0000");
    EXPECT_EQ(text.at("ND1")[16], "");
    EXPECT_EQ(text.at("ND1")[12], "0.0000");
    // RNA rows leave the protein columns empty, and tRNAs the non-stem ones.
    const auto& leu = text.at("tRNA-Leu(UUR)");
    EXPECT_EQ(leu[2], "tRNA");
    EXPECT_EQ(leu[4], "");
    EXPECT_EQ(leu[18], "1");
    EXPECT_NE(leu[22], "");
    EXPECT_EQ(leu[24], "");
    const auto& s12 = text.at("s-rRNA");
    EXPECT_EQ(s12[20], std::to_string(3 * 418));
    EXPECT_EQ(s12[22], "");
    EXPECT_EQ(text.at("D-loop")[2], "D-loop");
    EXPECT_EQ(text.at("D-loop")[18], "2");
    EXPECT_EQ(text.at("D-loop")[20], "");

    const Report book = gene_table_report(ws, ReportFormat::Workbook);
    EXPECT_EQ(testing::cell_at(book.cells, 2, 1), "ATP6");
    EXPECT_EQ(testing::cell_at(book.cells, 39, 1), "D-loop");
    EXPECT_EQ(testing::cell_at(book.cells, 2, 17), a[16]);
}

}  // namespace
}  // namespace corvella
