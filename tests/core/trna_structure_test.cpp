#include <gtest/gtest.h>

#include <set>

#include "core/human_reference.h"
#include "core/trna_structure.h"

using namespace corvella;

TEST(TrnaStructure, SlotLookups) {
    EXPECT_EQ(trna_slot(0, 577), 0);
    EXPECT_EQ(trna_slot(0, 584), 1);
    EXPECT_EQ(trna_slot(0, 647), 14);
    EXPECT_EQ(trna_slot(19, 14674), 14);
    EXPECT_EQ(trna_slot(17, 12214), 3);
    EXPECT_EQ(trna_slot(4, 4330), 13);
    EXPECT_EQ(trna_slot(3, 4330), 13);
    EXPECT_EQ(trna_slot(0, 700), std::nullopt);
    EXPECT_EQ(trna_slot(17, 0), std::nullopt);  // the empty slots hold nothing
    EXPECT_STREQ(TRNA_SLOT_NAMES[*trna_slot(0, 584)], "other positions");
    EXPECT_STREQ(TRNA_SLOT_NAMES[9], "Variable region");
}

TEST(TrnaStructure, EveryTrnaTilesItsGeneRangeExactly) {
    Workspace ws;
    use_human_ref_data(ws);
    for (int s = 0; s < TRNA_COUNT; ++s) {
        const int32_t start = ws.rna_start(s), end = ws.rna_end(s);
        for (int32_t p = start - 5; p <= end + 5; ++p) {
            int holders = 0;
            for (const PositionRange& r : TRNA_STRUCTURE[s])
                if (r.first <= p && p <= r.last) ++holders;
            const bool inside = start <= p && p <= end;
            EXPECT_EQ(holders, inside ? 1 : 0) << TRNA_NAMES[s] << " at " << p;
        }
    }
}

TEST(TrnaStructure, SlotsRunFromFiveToThreePrime) {
    // Other-strand tRNAs fall from slot 0 to slot 14, the rest rise.
    const std::set<int> falling = {4, 7, 8, 9, 10, 11, 19, 21};
    for (int s = 0; s < TRNA_COUNT; ++s) {
        int32_t prev = -1;
        for (const PositionRange& r : TRNA_STRUCTURE[s]) {
            if (r.first == 0) continue;
            if (prev >= 0) {
                if (falling.count(s)) EXPECT_LT(r.last, prev) << TRNA_NAMES[s];
                else EXPECT_GT(r.first, prev) << TRNA_NAMES[s];
            }
            prev = falling.count(s) ? r.first : r.last;
        }
    }
}

TEST(TrnaStructure, SerAgyHasNoDStem) {
    for (int j : {1, 2, 4, 5}) {
        EXPECT_EQ(TRNA_STRUCTURE[17][j].first, 0);
        EXPECT_EQ(TRNA_STRUCTURE[17][j].last, 0);
    }
}
