#include <gtest/gtest.h>

#include "output/report.h"

using namespace corvella;

TEST(ProgressPercent, CeilingOfTheShareDone) {
    // Per position: the entry just handled, counted from 1.
    EXPECT_EQ(progress_percent(1, 3), 34);
    EXPECT_EQ(progress_percent(2, 3), 67);
    EXPECT_EQ(progress_percent(3, 3), 100);
    // Per sample: counted from 0, so the last caption stays below 100.
    EXPECT_EQ(progress_percent(0, 4), 0);
    EXPECT_EQ(progress_percent(1, 4), 25);
    EXPECT_EQ(progress_percent(3, 4), 75);
    EXPECT_EQ(progress_percent(1, 6), 17);
    EXPECT_EQ(progress_percent(2, 6), 34);
}
