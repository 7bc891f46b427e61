#include <gtest/gtest.h>

#include "mifare_script.h"
#include "vantrel/panels/iso14443a/mifare_4k_ids.h"
#include "vantrel/panels/iso14443a/mifare_4k_panel.h"
#include "vantrel/panels/iso14443a/mifare_panel.h"

namespace {

Calls Reads(int first, int count) {
    Calls calls;
    for (int block = first; block < first + count; ++block)
        calls.push_back("rf_M1_read(0, " + std::to_string(block) + ", *, *)");
    return calls;
}

std::vector<uint8_t> Padded(std::vector<uint8_t> bytes) {
    bytes.resize(16);
    return bytes;
}

class MifareWindowTest : public ::testing::Test {
protected:
    MifareWindowTest() {
        SelectCard(h);
        for (int key : {IDC_MF_KEY1, IDC_MF_KEY2, IDC_MF_KEY3}) h.SetText(key, L"FFFFFFFFFFFF");
    }
    PanelHarness<CMifarePanel> h;
};

TEST_F(MifareWindowTest, ReadSectorTwoAuthenticatesBlockEightAndReadsEightToEleven) {
    ServeBlocks(h.script);
    Choose(h.Item(IDC_MF_SECTOR3), 2);
    CheckRadioButton(*h.panel, IDC_MF_USE_KEY_A3, IDC_MF_USE_KEY_B3, IDC_MF_USE_KEY_B3);
    h.Click(IDC_MF_READ3);
    EXPECT_EQ(h.script.Log(), Join({{"rf_M1_authentication2(0, 97, 8, *)"}, Reads(8, 4)}));
    EXPECT_EQ(h.Text(IDC_MF_DATA3_0), BlockHex(8));
    EXPECT_EQ(h.Text(IDC_MF_DATA3_2), BlockHex(10));
    EXPECT_EQ(h.Text(IDC_MF_TRAILER_KEY_A3), L"0B0C0D0E0F10");
    EXPECT_EQ(h.Text(IDC_MF_ACCESS3), L"11121314");
    EXPECT_EQ(h.Text(IDC_MF_TRAILER_KEY_B3), L"15161718191A");
    EXPECT_EQ(h.services.status, L"OK");
    EXPECT_EQ(h.services.log.size(), 5u);
}

TEST_F(MifareWindowTest, FailedReadKeepsTheBlocksAlreadyShownAndClearsTheCard) {
    h.SetText(IDC_MF_TRAILER_KEY_A1, L"A0A1A2A3A4A5");
    ServeBlocks(h.script, 2);
    h.Click(IDC_MF_READ1);
    EXPECT_EQ(h.Text(IDC_MF_DATA1_1), BlockHex(1));
    EXPECT_EQ(h.Text(IDC_MF_DATA1_2), L"");
    EXPECT_EQ(h.Text(IDC_MF_TRAILER_KEY_A1), L"");
    EXPECT_EQ(h.services.status, L"Error: 14 ,function: rf_M1_read");
    EXPECT_FALSE(h.panel->CardSelected());
}

TEST_F(MifareWindowTest, ShortBlockIsAFailureNotASuccess) {
    h.script.On(h.script.library.rf_M1_read, [](int32_t, uint8_t, uint8_t* out, uint8_t* length) {
        Answer(out, length, {1, 2, 3, 4});
        return 0;
    });
    h.Click(IDC_MF_READ2);
    EXPECT_EQ(h.script.Names(), (Calls{"rf_M1_authentication2", "rf_M1_read"}));
    EXPECT_EQ(h.Text(IDC_MF_DATA2_0), L"");
    EXPECT_EQ(h.services.status, L"Error: Read block: 0 error!");
    EXPECT_EQ(h.services.beeps, 1);
    EXPECT_FALSE(h.panel->CardSelected());
}

TEST_F(MifareWindowTest, WriteBlockPadsTheTypedBytesWithZeros) {
    WrittenBlock written;
    CaptureWrites(h.script, written);
    Choose(h.Item(IDC_MF_SECTOR2), 3);
    Choose(h.Item(IDC_MF_BLOCK2), 1);
    h.Type(IDC_MF_DATA2_1, L"1122");
    h.Click(IDC_MF_WRITE2);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_M1_authentication2(0, 96, 12, *)", "rf_M1_write(0, 13, *)"}));
    EXPECT_EQ(written.data, Padded({0x11, 0x22}));
    EXPECT_TRUE(h.services.boxes.empty());
    EXPECT_EQ(h.services.status, L"OK");
}

TEST_F(MifareWindowTest, TrailerWriteAsksFirstAndLaysOutItsThreeFields) {
    WrittenBlock written;
    CaptureWrites(h.script, written);
    Choose(h.Item(IDC_MF_SECTOR1), 1);
    Choose(h.Item(IDC_MF_BLOCK1), 3);
    h.SetText(IDC_MF_TRAILER_KEY_A1, L"A0A1A2A3A4A5");
    h.SetText(IDC_MF_ACCESS1, L"FF0780");
    h.SetText(IDC_MF_TRAILER_KEY_B1, L"B0B1B2");

    h.services.boxAnswer = IDCANCEL;
    h.Click(IDC_MF_WRITE1);
    EXPECT_TRUE(h.script.Log().empty());
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Be sure to write block3!");
    EXPECT_EQ(h.services.boxes[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING));

    h.services.boxAnswer = IDOK;
    h.Click(IDC_MF_WRITE1);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_M1_authentication2(0, 96, 4, *)", "rf_M1_write(0, 7, *)"}));
    EXPECT_EQ(written.data, (std::vector<uint8_t>{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xFF, 0x07, 0x80,
                                                  0, 0xB0, 0xB1, 0xB2, 0, 0, 0}));
}

TEST_F(MifareWindowTest, InconsistentAccessBitsAreRefusedBeforeAnything) {
    Choose(h.Item(IDC_MF_SECTOR1), 1);
    Choose(h.Item(IDC_MF_BLOCK1), 3);
    h.SetText(IDC_MF_TRAILER_KEY_A1, L"FFFFFFFFFFFF");
    h.SetText(IDC_MF_ACCESS1, L"FF07");  // padded to FF 07 00 00
    h.Click(IDC_MF_WRITE1);
    EXPECT_TRUE(h.script.Log().empty());
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Access bits are invalid: the sector would be locked for good!");
    EXPECT_EQ(h.services.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(h.panel->CardSelected());
}

TEST_F(MifareWindowTest, FailedWriteIsReportedWithoutALogLine) {
    h.script.Fail(h.script.library.rf_M1_write, 0x12);
    Choose(h.Item(IDC_MF_BLOCK1), 1);
    h.Click(IDC_MF_WRITE1);
    EXPECT_EQ(h.services.status, L"Error: 12 ,function: rf_M1_write");
    EXPECT_EQ(h.services.log.back().name, L"rf_M1_authentication2");
    EXPECT_FALSE(h.panel->CardSelected());
}

TEST_F(MifareWindowTest, ManufacturerBlockCannotBeWritten) {
    EXPECT_FALSE(h.IsEnabled(IDC_MF_WRITE1));
    EXPECT_FALSE(h.IsEnabled(IDC_MF_WRITE3));
    Choose(h.Item(IDC_MF_BLOCK1), 1);
    EXPECT_TRUE(h.IsEnabled(IDC_MF_WRITE1));
    Choose(h.Item(IDC_MF_SECTOR3), 1);
    EXPECT_TRUE(h.IsEnabled(IDC_MF_WRITE3));
    Choose(h.Item(IDC_MF_BLOCK1), 0);
    EXPECT_FALSE(h.IsEnabled(IDC_MF_WRITE1));
    EXPECT_FALSE(h.IsEnabled(IDC_MF_WRITE2));
}

class Mifare4KWindowTest : public ::testing::Test {
protected:
    Mifare4KWindowTest() {
        SelectCard(h);
        h.SetText(IDC_MF_KEY1, L"FFFFFFFFFFFF");
        h.SetText(IDC_MF_KEY2, L"FFFFFFFFFFFF");
    }
    PanelHarness<CMifare4KPanel> h;
};

TEST_F(Mifare4KWindowTest, ListsCoverSmallAndLargeSectors) {
    EXPECT_EQ(ListTexts(h.Item(IDC_MF_SECTOR1)).size(), 32u);
    EXPECT_EQ(ListTexts(h.Item(IDC_MF_SECTOR2)).front(), L"32");
    EXPECT_EQ(ListTexts(h.Item(IDC_MF_SECTOR2)).back(), L"39");
    EXPECT_EQ(ListTexts(h.Item(IDC_MF_BLOCK2)).size(), 16u);
    EXPECT_EQ(ListTexts(h.Item(IDC_MF_PURSE_SECTOR)).size(), 32u);
}

TEST_F(Mifare4KWindowTest, SectorThirtyNineReadsTheLastSixteenBlocks) {
    ServeBlocks(h.script);
    Choose(h.Item(IDC_MF_SECTOR2), 7);
    h.Click(IDC_MF_READ2);
    EXPECT_EQ(h.script.Log(), Join({{"rf_M1_authentication2(0, 96, 240, *)"}, Reads(240, 16)}));
    EXPECT_EQ(h.Text(IDC_MF4K_DATA2_0), BlockHex(240));
    EXPECT_EQ(h.Text(IDC_MF4K_DATA2_14), BlockHex(254));
    EXPECT_EQ(h.Text(IDC_MF_TRAILER_KEY_B2), L"090A0B0C0D0E");  // bytes of block 255 wrap
}

TEST_F(Mifare4KWindowTest, SectorThirtyOneIsTheLastSmallSector) {
    ServeBlocks(h.script);
    Choose(h.Item(IDC_MF_SECTOR1), 31);
    h.Click(IDC_MF_READ1);
    EXPECT_EQ(h.script.Log(), Join({{"rf_M1_authentication2(0, 96, 124, *)"}, Reads(124, 4)}));
    EXPECT_EQ(h.Text(IDC_MF_DATA1_0), BlockHex(124));
}

TEST_F(Mifare4KWindowTest, ReadFailingAtBlockFiveKeepsBlocksZeroToFour) {
    h.SetText(IDC_MF4K_DATA2_9, L"00");
    ServeBlocks(h.script, 128 + 5);
    h.Click(IDC_MF_READ2);
    EXPECT_EQ(h.script.Log().size(), 7u);
    EXPECT_EQ(h.Text(IDC_MF4K_DATA2_4), BlockHex(132));
    EXPECT_EQ(h.Text(IDC_MF4K_DATA2_5), L"");
    EXPECT_EQ(h.Text(IDC_MF4K_DATA2_9), L"");
    EXPECT_EQ(h.Text(IDC_MF_TRAILER_KEY_A2), L"");
    EXPECT_EQ(h.services.status, L"Error: 14 ,function: rf_M1_read");
}

TEST_F(Mifare4KWindowTest, OnlyBlockFifteenOfALargeSectorAsksForConfirmation) {
    WrittenBlock written;
    CaptureWrites(h.script, written);
    Choose(h.Item(IDC_MF_SECTOR2), 1);
    Choose(h.Item(IDC_MF_BLOCK2), 3);
    h.SetText(IDC_MF4K_DATA2_3, L"0102");
    h.Click(IDC_MF_WRITE2);
    EXPECT_TRUE(h.services.boxes.empty());
    EXPECT_EQ(written.block, 147);
    EXPECT_EQ(written.data, Padded({0x01, 0x02}));

    h.services.boxAnswer = IDCANCEL;
    Choose(h.Item(IDC_MF_BLOCK2), 15);
    h.Click(IDC_MF_WRITE2);
    EXPECT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(written.block, 147);
}

TEST_F(Mifare4KWindowTest, LargeWindowWriteStaysEnabled) {
    EXPECT_FALSE(h.IsEnabled(IDC_MF_WRITE1));
    for (int sector = 0; sector < 8; ++sector) {
        Choose(h.Item(IDC_MF_SECTOR2), sector);
        Choose(h.Item(IDC_MF_BLOCK2), 0);
        EXPECT_TRUE(h.IsEnabled(IDC_MF_WRITE2)) << sector;
    }
}

}  // namespace
