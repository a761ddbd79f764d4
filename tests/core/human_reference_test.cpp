#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <map>

#include "core/human_reference.h"
#include "core/workspace.h"

using namespace corvella;

TEST(HumanReference, SequenceIsTheRcrsWithItsComposition) {
    Workspace ws;
    use_human_ref_data(ws);
    ASSERT_EQ(ws.reference_length(), 16569);
    EXPECT_EQ(ws.ref_sequence.substr(0, 10), "GATCACAGGT");
    EXPECT_EQ(ws.reference_letter(1), 'G');
    EXPECT_EQ(ws.reference_letter(16569), 'G');
    EXPECT_EQ(ws.reference_letter(3107), 'N');
    std::map<char, int> counts;
    for (char c : ws.ref_sequence) counts[c]++;
    EXPECT_EQ(counts['A'], 5124);
    EXPECT_EQ(counts['C'], 5181);
    EXPECT_EQ(counts['G'], 2169);
    EXPECT_EQ(counts['T'], 4094);
    EXPECT_EQ(counts['N'], 1);
    EXPECT_EQ(counts.size(), 5u);
}

TEST(HumanReference, PiecesAreSixteenThousandsAndAFiveHundredSixtyNine) {
    for (int i = 0; i < 16; ++i) EXPECT_EQ(std::string(HUMAN_REFERENCE_PIECES[i]).size(), 1000u) << i;
    EXPECT_EQ(std::string(HUMAN_REFERENCE_PIECES[16]).size(), 569u);
}

TEST(HumanReference, RegionTableSlots) {
    Workspace ws;
    use_human_ref_data(ws);
    EXPECT_EQ(ws.protein_start(0), 8527);   // ATP6
    EXPECT_EQ(ws.protein_end(0), 9207);
    EXPECT_EQ(ws.protein_start(12), 14149);  // ND6
    EXPECT_EQ(ws.protein_end(12), 14673);
    EXPECT_EQ(ws.rna_start(0), 577);  // tRNA-Phe
    EXPECT_EQ(ws.rna_end(21), 16023);  // tRNA-Pro
    EXPECT_EQ(ws.rna_start(22), 648);  // 12S
    EXPECT_EQ(ws.rna_end(23), 3229);   // 16S
    EXPECT_EQ(ws.region_table[74], 16024);
    EXPECT_EQ(ws.region_table[75], 576);
    for (int k = 0; k < PROTEIN_GENE_COUNT; ++k) EXPECT_LE(ws.protein_start(k), ws.protein_end(k));
    for (int k = 0; k < RNA_GENE_COUNT; ++k) EXPECT_LE(ws.rna_start(k), ws.rna_end(k));
}

TEST(HumanReference, LoadingTouchesOnlyReferenceAndRegionTable) {
    Workspace ws;
    ws.sample_names = {">a"};
    ws.variant_tally[{73, 'G'}] = 2;
    use_human_ref_data(ws);
    EXPECT_EQ(ws.sample_names.size(), 1u);
    EXPECT_EQ(ws.variant_tally.size(), 1u);
    EXPECT_FALSE(ws.human_reference);  // the flag is the menu command's
}

TEST(HumanReference, OrdinaryReferenceMatchesTheGenBankRecord) {
    // The committed data was generated from the record; make sure it still is it.
    FILE* f = std::fopen(CORVELLA_TEST_DATA "/NC_012920.1.gb", "rb");
    ASSERT_NE(f, nullptr);
    std::string seq;
    bool origin = false;
    char line[512];
    while (std::fgets(line, sizeof line, f)) {
        std::string s(line);
        if (s.rfind("ORIGIN", 0) == 0) { origin = true; continue; }
        if (!origin) continue;
        if (s.rfind("//", 0) == 0) break;
        for (char c : s)
            if (std::isalpha(static_cast<unsigned char>(c))) seq += static_cast<char>(std::toupper(c));
    }
    std::fclose(f);
    EXPECT_EQ(seq, human_reference_sequence());
}
