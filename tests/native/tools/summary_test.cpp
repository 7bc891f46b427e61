#include <gtest/gtest.h>

#include "tools/bench/summary.h"

TEST(Summary, MedianOfOddAndEvenCountsAndTheRangeWhateverTheOrder) {
    const Summary odd = Summarise({9, 1, 5});
    EXPECT_EQ(odd.count, 3u);
    EXPECT_DOUBLE_EQ(odd.median, 5);
    EXPECT_DOUBLE_EQ(odd.min, 1);
    EXPECT_DOUBLE_EQ(odd.max, 9);

    const Summary even = Summarise({4, 10, 1, 2});
    EXPECT_DOUBLE_EQ(even.median, 3);
    EXPECT_DOUBLE_EQ(even.max, 10);

    EXPECT_DOUBLE_EQ(Summarise({7}).median, 7);
    const Summary none = Summarise({});
    EXPECT_EQ(none.count, 0u);
    EXPECT_DOUBLE_EQ(none.median, 0);
}
