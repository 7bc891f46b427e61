#include "vantrel/panels/iso14443a/mifare_blocks.h"

#include <gtest/gtest.h>

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
