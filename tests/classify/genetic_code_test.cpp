#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>
#include <string>

#include "classify/genetic_code.h"
#include "core/human_reference.h"

using namespace corvella;

namespace {

Workspace human() {
    Workspace ws;
    use_human_ref_data(ws);
    return ws;
}

}  // namespace

TEST(GeneticCode, MitochondrialAssignmentsAndBlankRule) {
    EXPECT_EQ(geneticCode("AGA"), "STOP");
    EXPECT_EQ(geneticCode("AGG"), "STOP");
    EXPECT_EQ(geneticCode("TAA"), "STOP");
    EXPECT_EQ(geneticCode("TAG"), "STOP");
    EXPECT_EQ(geneticCode("ATA"), "M");
    EXPECT_EQ(geneticCode("TGA"), "W");
    EXPECT_EQ(geneticCode("TTT"), "F");
    EXPECT_EQ(geneticCode("GGG"), "G");
    EXPECT_EQ(geneticCode("TA "), "STOP");
    EXPECT_EQ(geneticCode("T  "), "STOP");
    EXPECT_EQ(geneticCode("CA "), "STOP");
    EXPECT_EQ(geneticCode("NN "), "STOP");  // the blank test comes first
    EXPECT_EQ(geneticCode("tta"), "X");
    EXPECT_EQ(geneticCode("UUA"), "X");
    EXPECT_EQ(geneticCode("NTA"), "X");
    EXPECT_EQ(geneticCode("TT"), "X");
    EXPECT_EQ(geneticCode("T-A"), "X");
    EXPECT_EQ(geneticCode("TTAA"), "X");
}

TEST(GeneticCode, AllSixtyFourCodonsAgainstTheVertebrateMitochondrialTable) {
    // The standard code, written out independently, with the four differences
    // of the vertebrate mitochondrial code applied.
    const std::string bases = "TCAG";
    const std::string standard = "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG";
    std::map<std::string, std::string> diff = {{"AGA", "STOP"}, {"AGG", "STOP"}, {"ATA", "M"}, {"TGA", "W"}};
    int stops = 0;
    for (int i = 0; i < 64; ++i) {
        std::string codon = {bases[i / 16], bases[(i / 4) % 4], bases[i % 4]};
        std::string expect = standard[i] == '*' ? "STOP" : std::string(1, standard[i]);
        if (diff.count(codon)) expect = diff[codon];
        EXPECT_EQ(geneticCode(codon), expect) << codon;
        if (expect == "STOP") ++stops;
    }
    EXPECT_EQ(stops, 4);
}

TEST(GeneticCode, PolarityAcidity) {
    EXPECT_EQ(polarityAcidity("X"), "STOP");
    EXPECT_EQ(polarityAcidity("STOP"), "STOP");
    EXPECT_EQ(polarityAcidity("M"), "Neutral Apolar");
    EXPECT_EQ(polarityAcidity("K"), "Basic Polar");
    EXPECT_EQ(polarityAcidity("T"), "Neutral Polar");
    EXPECT_EQ(polarityAcidity("E"), "Acid Polar");
    EXPECT_EQ(polarityAcidity("C"), "Neutral Apolar");
    EXPECT_EQ(polarityAcidity(""), "STOP");
}

TEST(GeneticCode, LetterFunctions) {
    std::string c = "TTA";
    replace_T_U(c);
    EXPECT_EQ(c, "UUA");
    c = "CAT";
    complementar(c);
    EXPECT_EQ(c, "GTA");
    c = "N T";
    complementar(c);
    EXPECT_EQ(c, "N A");
    EXPECT_FALSE(is_transversion('A', 'G'));
    EXPECT_TRUE(is_transversion('A', 'C'));
    EXPECT_FALSE(is_transversion('C', 'T'));
    EXPECT_TRUE(is_transversion('G', 'T'));
    EXPECT_TRUE(is_transversion('T', 'Z'));
    EXPECT_FALSE(is_transversion('N', 'A'));
    const Workspace ws = human();
    EXPECT_TRUE(pos_is_transversion(ws, 16519, 'A'));   // T at 16519
    EXPECT_FALSE(pos_is_transversion(ws, 16519, 'C'));
    EXPECT_FALSE(pos_is_transversion(ws, 3107, 'A'));   // N
    EXPECT_FALSE(pos_is_transversion(ws, 17000, 'A'));  // past the reference
}

struct WorkedExample {
    int32_t position;
    char new_base;
    int gene;
    int codon_position;
    int amino_acid_position;
    const char* ref_codon;
    const char* new_codon;
    const char* ref_aa;
    const char* new_aa;
    bool synonymous;
};

TEST(BuildCodonChange, WorkedExamples) {
    const Workspace ws = human();
    const WorkedExample cases[] = {
        {11719, 'A', 10, 3, 320, "GGG", "GGA", "G", "G", true},
        {14766, 'T', 5, 2, 7, "ACT", "ATT", "T", "I", false},
        {8860, 'G', 0, 1, 112, "ACA", "GCA", "T", "A", false},
        {14673, 'C', 12, 1, 1, "ATG", "GTG", "M", "V", false},
        {8527, 'G', 0, 1, 1, "ATG", "GTG", "M", "V", false},
        {8527, 'G', 1, 3, 54, "AAA", "AAG", "K", "K", true},
        {9990, 'C', 4, 1, 262, "T  ", "CAC", "STOP", "H", false},
        {4262, 'C', 6, 2, 319, "TA ", "TCA", "STOP", "S", false},
        {14149, 'T', 12, 3, 175, "AGG", "AGA", "STOP", "STOP", true},
        {9207, 'T', 0, 3, 227, "TAA", "TAT", "STOP", "Y", false},
    };
    for (const auto& w : cases) {
        SCOPED_TRACE(testing::Message() << w.position << " " << w.new_base << " gene " << w.gene);
        const CodonChange c = build_codon_change(ws, w.gene, w.position, w.new_base);
        EXPECT_EQ(c.gene_index, w.gene);
        EXPECT_EQ(c.variant_position, w.position);
        EXPECT_EQ(c.ref_base, ws.reference_letter(w.position));
        EXPECT_EQ(c.new_base, w.new_base);
        EXPECT_EQ(c.codon_position, w.codon_position);
        EXPECT_EQ(c.amino_acid_position, w.amino_acid_position);
        EXPECT_EQ(c.ref_codon, w.ref_codon);
        EXPECT_EQ(c.new_codon, w.new_codon);
        EXPECT_EQ(c.ref_amino_acid, w.ref_aa);
        EXPECT_EQ(c.new_amino_acid, w.new_aa);
        EXPECT_EQ(c.synonymous, w.synonymous);
    }
}

namespace {

// The independent side of the cross-check: the gene's own letters cut into
// codons from its first base (from its end, complemented, for ND6), and the
// codon holding the position translated with a plain table of its own.
std::string translate_plain(const std::string& codon) {
    static const std::map<std::string, std::string> table = [] {
        std::map<std::string, std::string> t;
        const std::string bases = "TCAG";
        const std::string aa = "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSS**VVVVAAAADDEEGGGG";
        for (int i = 0; i < 64; ++i)
            t[{bases[i / 16], bases[(i / 4) % 4], bases[i % 4]}] = aa[i] == '*' ? "STOP" : std::string(1, aa[i]);
        return t;
    }();
    auto it = table.find(codon);
    return it == table.end() ? "X" : it->second;
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

}  // namespace

TEST(BuildCodonChange, AgreesWithWholeGeneTranslationEverywhere) {
    const Workspace ws = human();
    int compared = 0, incomplete = 0;
    std::set<int> genes_with_incomplete_last_codon;
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) {
        const int32_t s = ws.protein_start(g), e = ws.protein_end(g);
        // The gene in reading direction, and each letter's reference position.
        std::string gene;
        std::vector<int32_t> where;
        if (g == ND6_ROW) {
            for (int32_t q = e; q >= s; --q) { gene += complement(ws.reference_letter(q)); where.push_back(q); }
        } else {
            for (int32_t q = s; q <= e; ++q) { gene += ws.reference_letter(q); where.push_back(q); }
        }
        for (size_t i = 0; i < gene.size(); ++i) {
            const size_t codon_start = i - i % 3;
            const int32_t p = where[i];
            for (char n : {'A', 'C', 'G', 'T'}) {
                if (n == ws.reference_letter(p)) continue;
                const CodonChange c = build_codon_change(ws, g, p, n);
                EXPECT_EQ(c.codon_position, static_cast<int>(i % 3) + 1);
                EXPECT_EQ(c.amino_acid_position, static_cast<int>(i / 3) + 1);
                if (codon_start + 3 <= gene.size()) {
                    std::string ref = gene.substr(codon_start, 3), alt = ref;
                    alt[i % 3] = g == ND6_ROW ? complement(n) : n;
                    const std::string ra = translate_plain(ref), na = translate_plain(alt);
                    ASSERT_EQ(c.ref_amino_acid, ra) << PROTEIN_GENE_NAMES[g] << " " << p;
                    ASSERT_EQ(c.new_amino_acid, na) << PROTEIN_GENE_NAMES[g] << " " << p << n;
                    ASSERT_EQ(c.synonymous, ra == na) << PROTEIN_GENE_NAMES[g] << " " << p << n;
                    ++compared;
                } else {
                    // Where the two differ: the last codon of the gene is cut
                    // short (its stop is completed only in the transcript). The
                    // blank rule reads the reference codon as STOP, and the new
                    // codon reads on into the next region's letters.
                    genes_with_incomplete_last_codon.insert(g);
                    std::string alt;
                    for (int k = 0; k < 3; ++k) alt += ws.reference_letter(static_cast<int32_t>(s + codon_start + k));
                    alt[i % 3] = n;
                    EXPECT_EQ(c.ref_amino_acid, "STOP");
                    EXPECT_EQ(c.new_codon, alt);
                    EXPECT_EQ(c.synonymous, translate_plain(alt) == "STOP");
                    ++incomplete;
                }
            }
        }
    }
    // COX3, CYTB, ND2, ND3 and ND4 end in a lone T, ND1 in TA.
    EXPECT_EQ(genes_with_incomplete_last_codon, (std::set<int>{4, 5, 6, 7, 8, 10}));
    EXPECT_EQ(incomplete, 3 * 7);
    EXPECT_GT(compared, 3 * 11000);
}
