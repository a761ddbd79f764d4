#include <gtest/gtest.h>

#include "core/human_reference.h"
#include "core/workspace.h"

using namespace corvella;

TEST(Workspace, EmptyAtStart) {
    Workspace ws;
    EXPECT_EQ(ws.reference_length(), 0);
    for (int32_t v : ws.region_table) EXPECT_EQ(v, 0);
    for (int32_t p = 1; p < 20000; p += 97) EXPECT_FALSE(ws.is_dloop(p)) << p;
    EXPECT_FALSE(ws.human_reference);
    EXPECT_TRUE(ws.variant_tally.empty());
}

TEST(Workspace, DloopWrapsAcrossTheOrigin) {
    Workspace ws;
    use_human_ref_data(ws);
    for (int32_t p : {16024, 16100, 16569, 1, 100, 576}) EXPECT_TRUE(ws.is_dloop(p)) << p;
    for (int32_t p : {0, 577, 16023, 16570, -1, 8000}) EXPECT_FALSE(ws.is_dloop(p)) << p;
}

TEST(Workspace, DloopAsAPlainRange) {
    Workspace ws;
    use_human_ref_data(ws);
    ws.region_table[DLOOP_START_SLOT] = 100;
    ws.region_table[DLOOP_END_SLOT] = 200;
    EXPECT_FALSE(ws.is_dloop(99));
    EXPECT_TRUE(ws.is_dloop(100));
    EXPECT_TRUE(ws.is_dloop(200));
    EXPECT_FALSE(ws.is_dloop(201));
    EXPECT_FALSE(ws.is_dloop(16569));
}

TEST(Workspace, TallyWalksByPositionThenBaseCode) {
    VariantTally t;
    t[{263, 'G'}] = 1;
    t[{73, 'G'}] = 1;
    t[{73, 'C'}] = 1;
    t[{73, 'A'}] = 1;
    std::vector<VariantKey> order;
    for (const auto& [k, c] : t) order.push_back(k);
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], (VariantKey{73, 'A'}));
    EXPECT_EQ(order[1], (VariantKey{73, 'C'}));
    EXPECT_EQ(order[2], (VariantKey{73, 'G'}));
    EXPECT_EQ(order[3], (VariantKey{263, 'G'}));
}

TEST(Workspace, NameTables) {
    EXPECT_STREQ(PROTEIN_GENE_NAMES[0], "ATP6");
    EXPECT_STREQ(PROTEIN_GENE_NAMES[12], "ND6");
    EXPECT_STREQ(RNA_GENE_NAMES[2], "tRNA-Leu");
    EXPECT_STREQ(RNA_GENE_NAMES[18], "tRNA-Leu");
    EXPECT_STREQ(RNA_GENE_NAMES[22], "s-rRNA");
    EXPECT_STREQ(RNA_SHORT_NAMES[21], " Pro");
    EXPECT_STREQ(RNA_SHORT_NAMES[17], "Ser(AGY)");
}
