// The type B panels' portable logic: the AT88RF020 write layouts, the
// THR1064 configuration boxes and the SRIX4K grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "vantrel/panels/iso14443b/at88rf020_ids.h"
#include "vantrel/panels/iso14443b/at88rf020_pages.h"
#include "vantrel/panels/iso14443b/srix4k_grid.h"
#include "vantrel/panels/iso14443b/thr1064_ids.h"
#include "vantrel/panels/iso14443b/thr1064_rights.h"

namespace {

using Data = std::array<uint8_t, 8>;

TEST(At020WriteDataTest, HalvesAndWholePagesArePaddedWithZeros) {
    std::map<int, Bytes> typed = {{IDC_AT020_PAGE1_LOW, {0x11, 0x22}},
                                  {IDC_AT020_PAGE1_HIGH, {0x31, 0x32, 0x33, 0x34}},
                                  {IDC_AT020_PAGE1_HIGH + 5, {0xA1, 0xA2}}};
    const auto bytes = [&](int id) { return typed.count(id) ? typed[id] : Bytes{}; };
    EXPECT_EQ(At020WriteData(1, bytes), (Data{0x11, 0x22, 0, 0, 0x31, 0x32, 0x33, 0x34}));
    EXPECT_EQ(At020WriteData(5, bytes), (Data{0xA1, 0xA2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(At020WriteData(3, bytes), Data{});
}

TEST(At020WriteDataTest, ClearingLeavesPageThreeAlone) {
    const std::vector<int> cleared = At020ClearedEdits();
    EXPECT_EQ(cleared.size(), 6u + 28u);
    EXPECT_EQ(std::count(cleared.begin(), cleared.end(), IDC_AT020_PAGE3), 0);
    EXPECT_EQ(cleared.back(), IDC_AT020_PAGE31);
}

// Checked boxes of a configuration byte.
std::vector<int> Checked(uint8_t c) {
    std::vector<int> ids;
    for (const Thr1064Box& box : DecodeThr1064Configuration(c)) {
        if (box.checked) ids.push_back(box.id);
    }
    return ids;
}

TEST(Thr1064RightsDecodeTest, ConfigurationBytesGiveTheirBoxes) {
    const std::vector<int> allFree = {IDC_THR_P0_READ, IDC_THR_P0_WRITE, IDC_THR_P1_READ, IDC_THR_P1_WRITE,
                                      IDC_THR_P2_READ, IDC_THR_P2_WRITE, IDC_THR_P3_READ, IDC_THR_P3_WRITE};
    EXPECT_EQ(Checked(0x00), allFree);
    std::vector<int> noPage0Write = allFree;
    noPage0Write.erase(noPage0Write.begin() + 1);
    EXPECT_EQ(Checked(0x01), noPage0Write);
    EXPECT_EQ(Checked(0x10), (std::vector<int>{IDC_THR_P0_READ, IDC_THR_P0_WRITE, IDC_THR_P1_READ, IDC_THR_P1_WRITE,
                                               IDC_THR_P2_KEY, IDC_THR_P3_READ, IDC_THR_P3_AUTH_READ,
                                               IDC_THR_P3_AUTH_WRITE}));
    for (const Thr1064Box& box : ClearedThr1064Boxes()) EXPECT_FALSE(box.checked) << box.id;
}

TEST(Thr1064RightsDecodeTest, PageThreeFollowsBitsFiveThreeAndTwoWithTheKeyPage) {
    // Free read, free write, auth dec, auth read, auth write for bit 4 set.
    const std::map<uint8_t, std::vector<bool>> page3 = {
        {0x10, {1, 0, 0, 1, 1}}, {0x14, {1, 0, 0, 0, 0}}, {0x18, {0, 0, 0, 1, 1}}, {0x1C, {0, 0, 0, 1, 0}},
        {0x30, {1, 0, 1, 1, 0}}, {0x34, {1, 0, 0, 0, 0}}, {0x38, {0, 0, 1, 1, 0}}, {0x3C, {0, 0, 0, 1, 0}},
    };
    for (const auto& [c, expected] : page3) {
        const auto boxes = DecodeThr1064Configuration(c);
        std::vector<bool> shown;
        for (std::size_t i = 7; i < boxes.size(); ++i) shown.push_back(boxes[i].checked);
        EXPECT_EQ(shown, expected) << std::hex << int(c);
    }
}

TEST(Srix4kGridTest, ColumnsFollowThePitchAndTabsSitBelowTheRows) {
    const Srix4kGrid grid = LayOutSrix4kGrid(100, 10, 540);  // pitch (440 - 40) / 4 = 100
    EXPECT_EQ(grid.labels[0], (GridBox{106, 30, 160, 48}));
    EXPECT_EQ(grid.edits[0], (GridBox{162, 30, 210, 48}));
    EXPECT_EQ(grid.edits[15].top, 10 + 20 + 22 * 15);
    EXPECT_EQ(grid.edits[16], (GridBox{274, 30, 322, 48}));
    EXPECT_EQ(grid.edits[63], (GridBox{488, 360, 532, 378}));
    EXPECT_EQ(grid.headings[2], (GridBox{grid.edits[32].left, 13, grid.edits[32].right, 28}));
    EXPECT_EQ(grid.tabs[0], (GridBox{120, 397, 230, 427}));
    EXPECT_EQ(grid.tabs[1], (GridBox{230, 397, 340, 427}));
    EXPECT_EQ(grid.contentHeight, 462);
}

TEST(Srix4kGridTest, ClicksFindTheBlockOfThePageAndTabStaysOnIt) {
    const Srix4kGrid grid = LayOutSrix4kGrid(100, 10, 540);
    EXPECT_EQ(Srix4kBlockAt(grid, 0, 162, 30), 0);     // the edit's corner
    EXPECT_EQ(Srix4kBlockAt(grid, 0, 209, 47), 0);     // its last pixel
    EXPECT_EQ(Srix4kBlockAt(grid, 0, 210, 30), -1);    // just right of it
    EXPECT_EQ(Srix4kBlockAt(grid, 0, 162, 49), -1);    // between two rows
    EXPECT_EQ(Srix4kBlockAt(grid, 0, 120, 35), -1);    // the label
    EXPECT_EQ(Srix4kBlockAt(grid, 1, 500, 370), 127);
    EXPECT_EQ(Srix4kBlockAt(grid, 1, 275, 31), 80);
    EXPECT_EQ(Srix4kNextBlock(0, false), 1);
    EXPECT_EQ(Srix4kNextBlock(0, true), -1);
    EXPECT_EQ(Srix4kNextBlock(63, false), -1);
    EXPECT_EQ(Srix4kNextBlock(64, true), -1);
    EXPECT_EQ(Srix4kNextBlock(64, false), 65);
    EXPECT_EQ(Srix4kNextBlock(127, true), 126);
    EXPECT_EQ(Srix4kNextBlock(127, false), -1);
}

}  // namespace
