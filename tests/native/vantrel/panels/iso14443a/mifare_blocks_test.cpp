#include "vantrel/panels/iso14443a/mifare_blocks.h"

#include <gtest/gtest.h>

TEST(MifareBlocks, SmallSectorsStartEveryFourBlocks) {
    EXPECT_EQ(FirstBlockOfSector(0), 0);
    EXPECT_EQ(FirstBlockOfSector(2), 8);
    EXPECT_EQ(FirstBlockOfSector(15), 60);
    EXPECT_EQ(FirstBlockOfSector(31), 124);
    EXPECT_EQ(BlocksInSector(31), 4);
    EXPECT_EQ(TrailerIndex(31), 3);
    EXPECT_EQ(BlockOfSector(2, 3), 11);
}

TEST(MifareBlocks, LargeSectorsFollowSector31WithSixteenBlocks) {
    EXPECT_EQ(FirstBlockOfSector(32), 128);
    EXPECT_EQ(FirstBlockOfSector(33), 144);
    EXPECT_EQ(FirstBlockOfSector(39), 240);
    EXPECT_EQ(BlocksInSector(32), 16);
    EXPECT_EQ(TrailerIndex(39), 15);
    // The last block of the card is 255, still a byte.
    EXPECT_EQ(BlockOfSector(39, 15), 255);
}

TEST(MifareBlocks, OnlyBlockZeroOfSectorZeroIsTheManufacturerBlock) {
    EXPECT_TRUE(IsManufacturerBlock(0, 0));
    EXPECT_FALSE(IsManufacturerBlock(0, 1));
    EXPECT_FALSE(IsManufacturerBlock(1, 0));
    EXPECT_FALSE(IsManufacturerBlock(32, 0));
}

TEST(MifareBlocks, DataBlockPadsShortEntriesAndDropsExtraBytes) {
    MifareBlock expected{};
    expected[0] = 0x11;
    expected[1] = 0x22;
    EXPECT_EQ(DataBlock({0x11, 0x22}), expected);
    EXPECT_EQ(DataBlock({}), MifareBlock{});

    Bytes seventeen(17, 0xAB);
    seventeen[16] = 0xCD;
    MifareBlock sixteen;
    sixteen.fill(0xAB);
    EXPECT_EQ(DataBlock(seventeen), sixteen);
}

TEST(MifareBlocks, TrailerPlacesEachFieldAtItsOffsetPaddedOrCut) {
    const MifareBlock block = TrailerBlock({{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5},
                                            {0xFF, 0x07},
                                            {0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7}});
    const MifareBlock expected{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xFF, 0x07,
                               0x00, 0x00, 0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5};
    EXPECT_EQ(block, expected);
    EXPECT_EQ(TrailerBlock({}), MifareBlock{});
}

TEST(MifareBlocks, SplitTrailerIsTheInverseOfAFullTrailer) {
    const TrailerFields fields{{1, 2, 3, 4, 5, 6}, {0xFF, 0x07, 0x80, 0x69}, {7, 8, 9, 10, 11, 12}};
    const MifareBlock block = TrailerBlock(fields);
    EXPECT_EQ(SplitTrailer(block), fields);
}

TEST(MifareBlocks, TrailerAccessBitsNeedTheirInvertedCopies) {
    const auto trailer = [](Bytes access) { return TrailerBlock({Bytes(6, 0xFF), access, Bytes(6, 0xFF)}); };
    EXPECT_TRUE(AccessBitsAreConsistent(trailer({0xFF, 0x07, 0x80, 0x69})));  // transport setting
    EXPECT_TRUE(AccessBitsAreConsistent(trailer({0x78, 0x77, 0x88, 0x00})));
    EXPECT_TRUE(AccessBitsAreConsistent(trailer({0x0F, 0x00, 0xFF})));       // every bit set
    EXPECT_FALSE(AccessBitsAreConsistent(trailer({0xFF, 0x07})));            // padded with zeros
    EXPECT_FALSE(AccessBitsAreConsistent(trailer({})));
    EXPECT_FALSE(AccessBitsAreConsistent(trailer({0xFF, 0x07, 0x81, 0x69})));  // one bit off
    EXPECT_FALSE(AccessBitsAreConsistent(trailer({0xFE, 0x07, 0x80, 0x69})));
    EXPECT_FALSE(AccessBitsAreConsistent(trailer({0xFF, 0x17, 0x80, 0x69})));
}
