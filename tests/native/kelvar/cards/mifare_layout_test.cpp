#include "kelvar/cards/mifare_layout.h"

#include <gtest/gtest.h>

using namespace kelvar;

TEST(MifareLayout, SmallAndLargeSectorsMeetAtBlock128) {
    EXPECT_EQ(MifareSectorOfBlock(127), 31);
    EXPECT_EQ(MifareSectorOfBlock(128), 32);
    EXPECT_EQ(MifareSectorOfBlock(240), 39);
    EXPECT_EQ(MifareSectorOfBlock(255), 39);
    EXPECT_EQ(MifareFirstBlockOfSector(39), 240);
    EXPECT_EQ(MifareTrailerOfSector(31), 127);
    EXPECT_EQ(MifareTrailerOfSector(32), 143);
    EXPECT_EQ(MifareTrailerOfSector(39), 255);
    // large sectors share the data groups five blocks at a time
    EXPECT_EQ(MifareAccessGroupOfBlock(6), 2);
    EXPECT_EQ(MifareAccessGroupOfBlock(132), 0);
    EXPECT_EQ(MifareAccessGroupOfBlock(133), 1);
    EXPECT_EQ(MifareAccessGroupOfBlock(142), 2);
    EXPECT_EQ(MifareAccessGroupOfBlock(143), 3);
}

TEST(MifareLayout, EveryBlockBelongsToTheSectorThatListsIt) {
    int trailers = 0;
    for (int sector = 0; sector < 40; ++sector) {
        const int first = MifareFirstBlockOfSector(sector);
        for (int i = 0; i < MifareBlocksInSector(sector); ++i) {
            EXPECT_EQ(MifareSectorOfBlock(first + i), sector) << "block " << first + i;
            trailers += MifareIsTrailer(first + i);
        }
    }
    EXPECT_EQ(trailers, 40);
    EXPECT_EQ(MifareFirstBlockOfSector(39) + MifareBlocksInSector(39), 256);
}
