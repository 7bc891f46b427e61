#include "vantrel/toolkit/log_layout.h"

#include <gtest/gtest.h>

TEST(LogLayout, TotalHeightIsAtLeastOneHundred) {
    EXPECT_EQ(LogTotalHeight(0), 100);
    EXPECT_EQ(LogTotalHeight(4), 100);  // 88 is not more than 100
    EXPECT_EQ(LogTotalHeight(5), 22 * 5 + 24);
    EXPECT_EQ(LogTotalHeight(10), 244);
}

TEST(LogLayout, GradientCoversAtMostEightyFourRows) {
    EXPECT_EQ(GradientRows(50), 50);
    EXPECT_EQ(GradientRows(84), 84);
    EXPECT_EQ(GradientRows(600), 84);
    EXPECT_EQ(GradientRows(0), 0);
}

TEST(LogLayout, GradientRunsFromGreyBlueToNearWhite) {
    EXPECT_EQ(GradientColour(0, 84), (Rgb{171, 188, 199}));
    EXPECT_EQ(GradientColour(83, 84), (Rgb{254, 254, 254}));
    EXPECT_EQ(GradientColour(0, 50), (Rgb{171, 188, 199}));
    EXPECT_EQ(GradientColour(49, 50), (Rgb{220, 253, 253}));
    // Integer division happens before the subtraction.
    EXPECT_EQ(GradientColour(42, 84), (Rgb{213, 221, 227}));
}

TEST(LogLayout, ImageGrowsRarelyAndWithBoundedSlack) {
    EXPECT_EQ(LogImageCapacity(300, 400), 400);
    EXPECT_EQ(LogImageCapacity(400, 400), 400);
    int capacity = 0;
    int reallocations = 0;
    for (int lines = 1; lines <= 2000; ++lines) {
        const int needed = LogImageHeight(LogTotalHeight(static_cast<size_t>(lines)), 300);
        const int next = LogImageCapacity(needed, capacity);
        ASSERT_GE(next, needed);
        ASSERT_LE(next - needed, kLogImageSlack);
        if (next != capacity) ++reallocations;
        capacity = next;
    }
    EXPECT_LE(reallocations, 60);
}
