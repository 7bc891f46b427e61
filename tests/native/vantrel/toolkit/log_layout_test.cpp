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
