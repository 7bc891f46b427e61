#include "vantrel/panels/iso14443a/mifare_purse.h"

#include <gtest/gtest.h>

TEST(MifarePurse, ParsesDecimalLikeTheStandardConversion) {
    EXPECT_EQ(ParsePurseValue(L"100"), 100);
    EXPECT_EQ(ParsePurseValue(L"-5"), -5);
    EXPECT_EQ(ParsePurseValue(L"+7"), 7);
    EXPECT_EQ(ParsePurseValue(L" 42"), 42);
    EXPECT_EQ(ParsePurseValue(L"12.7"), 12);
    EXPECT_EQ(ParsePurseValue(L"-"), 0);
    EXPECT_EQ(ParsePurseValue(L"x1"), 0);
    EXPECT_EQ(ParsePurseValue(L"00000000001"), 1);
}

TEST(MifarePurse, RefusesEmptyTextAndValuesBeyondThirtyTwoBits) {
    EXPECT_EQ(ParsePurseValue(L""), std::nullopt);
    EXPECT_EQ(ParsePurseValue(L"2147483647"), 2147483647);
    EXPECT_EQ(ParsePurseValue(L"-2147483648"), INT32_MIN);
    EXPECT_EQ(ParsePurseValue(L"2147483648"), std::nullopt);
    EXPECT_EQ(ParsePurseValue(L"-2147483649"), std::nullopt);
    EXPECT_EQ(ParsePurseValue(L"99999999999"), std::nullopt);
    EXPECT_EQ(ParsePurseValue(L"4294967396"), std::nullopt);  // would wrap to 100
    EXPECT_EQ(ParsePurseValue(std::wstring(40, L'9')), std::nullopt);
}

TEST(MifarePurse, DecimalFieldReadsEmptyAsMinusOne) {
    EXPECT_EQ(DecimalFieldValue(L""), -1);
    EXPECT_EQ(DecimalFieldValue(L"100"), 100);
    EXPECT_EQ(DecimalFieldValue(L"99999999999"), std::nullopt);
}

TEST(MifarePurse, HexFieldIsLittleEndianWithMissingBytesZero) {
    EXPECT_EQ(HexFieldValue({0xFF, 0xFF, 0xFF, 0xFF}), -1);
    EXPECT_EQ(HexFieldValue({0x64, 0x00, 0x00, 0x00}), 100);
    EXPECT_EQ(HexFieldValue({0x02, 0x01}), 258);
    EXPECT_EQ(HexFieldValue({}), 0);
    EXPECT_EQ(HexFieldValue({0x00, 0x00, 0x00, 0x80, 0x55}), INT32_MIN);
    EXPECT_EQ(DecimalText(-1), L"-1");
}

TEST(MifarePurse, SectorZeroOffersBlocksOneAndTwoOnly) {
    EXPECT_EQ(InitialPurseBlocks(), (PurseBlockChoice{{1, 2}, 0}));
    // Block 0 of another sector moves to block 1; blocks 1 and 2 stay.
    EXPECT_EQ(PurseBlocks(0, 0), (PurseBlockChoice{{1, 2}, 0}));
    EXPECT_EQ(PurseBlocks(0, 1), (PurseBlockChoice{{1, 2}, 0}));
    EXPECT_EQ(PurseBlocks(0, 2), (PurseBlockChoice{{1, 2}, 1}));
}

TEST(MifarePurse, OtherSectorsOfferBlocksZeroToTwoKeepingTheBlock) {
    EXPECT_EQ(PurseBlocks(1, 1), (PurseBlockChoice{{0, 1, 2}, 1}));
    EXPECT_EQ(PurseBlocks(5, 2), (PurseBlockChoice{{0, 1, 2}, 2}));
    EXPECT_EQ(PurseBlocks(31, 0), (PurseBlockChoice{{0, 1, 2}, 0}));
    // No selection at all falls back to the first entry.
    EXPECT_EQ(PurseBlocks(3, -1), (PurseBlockChoice{{0, 1, 2}, 0}));
}
