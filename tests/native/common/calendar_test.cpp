#include "common/calendar.h"

#include <gtest/gtest.h>

using namespace calendar;

TEST(Calendar, DaysAndDatesMeetAcrossLeapDaysCenturiesAndTheEpoch) {
    struct Row {
        Date date;
        int64_t days;
        int weekday;
    };
    const Row rows[] = {
        {{1970, 1, 1}, 0, 4},
        {{1969, 12, 31}, -1, 3},
        {{2000, 1, 1}, 10957, 6},
        {{2000, 2, 29}, 11016, 2},   // a century that is a leap year
        {{2000, 3, 1}, 11017, 3},
        {{2100, 3, 1}, 47541, 1},    // one that is not: 28 February comes before
        {{1600, 3, 1}, -135080, 3},  // an era starts
        {{2099, 12, 31}, 47481, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.date.year << "-" << row.date.month << "-" << row.date.day);
        EXPECT_EQ(DaysFromCivil(row.date), row.days);
        const Date back = CivilFromDays(row.days);
        EXPECT_EQ(back.year, row.date.year);
        EXPECT_EQ(back.month, row.date.month);
        EXPECT_EQ(back.day, row.date.day);
        EXPECT_EQ(Weekday(row.date), row.weekday);
    }
    for (int64_t days = -800000; days < 800000; days += 997) EXPECT_EQ(DaysFromCivil(CivilFromDays(days)), days);
}

TEST(Calendar, OnlyRealDatesAreValid) {
    EXPECT_TRUE(IsValidDate({2024, 2, 29}));
    EXPECT_FALSE(IsValidDate({2023, 2, 29}));
    EXPECT_FALSE(IsValidDate({1900, 2, 29}));
    EXPECT_TRUE(IsValidDate({2000, 2, 29}));
    EXPECT_TRUE(IsValidDate({2024, 12, 31}));
    EXPECT_FALSE(IsValidDate({2024, 4, 31}));
    EXPECT_FALSE(IsValidDate({2024, 13, 1}));
    EXPECT_FALSE(IsValidDate({2024, 0, 1}));
    EXPECT_FALSE(IsValidDate({2024, 1, 0}));
}

TEST(Calendar, BcdHoldsTwoDecimalDigits) {
    EXPECT_EQ(ToBcd(59), 0x59);
    EXPECT_EQ(ToBcd(0), 0x00);
    EXPECT_EQ(FromBcd(0x99), 99);
    EXPECT_TRUE(IsBcd(0x99));
    EXPECT_FALSE(IsBcd(0x9A));
    EXPECT_FALSE(IsBcd(0xA0));
}
