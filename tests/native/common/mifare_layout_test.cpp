#include "common/mifare_layout.h"

#include <gtest/gtest.h>

using namespace mifare;

TEST(MifareLayout, SmallAndLargeSectorsMeetAtBlock128) {
    EXPECT_EQ(SectorOfBlock(127), 31);
    EXPECT_EQ(SectorOfBlock(128), 32);
    EXPECT_EQ(SectorOfBlock(240), 39);
    EXPECT_EQ(SectorOfBlock(255), 39);
    EXPECT_EQ(FirstBlockOfSector(39), 240);
    EXPECT_EQ(TrailerOfSector(31), 127);
    EXPECT_EQ(TrailerOfSector(32), 143);
    EXPECT_EQ(TrailerOfSector(39), 255);
    // large sectors share the data groups five blocks at a time
    EXPECT_EQ(AccessGroupOfBlock(6), 2);
    EXPECT_EQ(AccessGroupOfBlock(132), 0);
    EXPECT_EQ(AccessGroupOfBlock(133), 1);
    EXPECT_EQ(AccessGroupOfBlock(142), 2);
    EXPECT_EQ(AccessGroupOfBlock(143), 3);
}

TEST(MifareLayout, EveryBlockBelongsToTheSectorThatListsIt) {
    int trailers = 0;
    for (int sector = 0; sector < 40; ++sector) {
        const int first = FirstBlockOfSector(sector);
        for (int i = 0; i < BlocksInSector(sector); ++i) {
            EXPECT_EQ(SectorOfBlock(first + i), sector) << "block " << first + i;
            trailers += IsTrailer(first + i);
        }
    }
    EXPECT_EQ(trailers, 40);
    EXPECT_EQ(FirstBlockOfSector(39) + BlocksInSector(39), 256);
}
