#include <gtest/gtest.h>

#include "mifare_script.h"
#include "vantrel/panels/iso14443a/mifare_panel.h"

namespace {

class MifarePurseTest : public ::testing::Test {
protected:
    MifarePurseTest() {
        SelectCard(h);
        h.SetText(IDC_MF_PURSE_KEY, L"FFFFFFFFFFFF");
    }
    PanelHarness<CMifarePanel> h;
};

TEST_F(MifarePurseTest, ElevenDigitKeyShowsTheKeyBoxAndCallsNothing) {
    h.SetText(IDC_MF_PURSE_KEY, L"");
    h.Type(IDC_MF_PURSE_KEY, L"ffffffffff1");
    h.SetText(IDC_MF_VALUE_DEC, L"5");
    h.Click(IDC_MF_INCREMENT);
    EXPECT_TRUE(h.script.Log().empty());
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Input 6 bytes in key text please!");
    EXPECT_EQ(h.services.boxes[0].caption, L"Error");
    EXPECT_EQ(h.services.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(h.panel->CardSelected());
}

TEST_F(MifarePurseTest, SectorZeroOffersBlocksOneAndTwoOnly) {
    const HWND blocks = h.Item(IDC_MF_PURSE_BLOCK);
    EXPECT_EQ(ListTexts(blocks), (std::vector<std::wstring>{L"1", L"2"}));
    Choose(h.Item(IDC_MF_PURSE_SECTOR), 5);
    EXPECT_EQ(ListTexts(blocks), (std::vector<std::wstring>{L"0", L"1", L"2"}));
    EXPECT_EQ(h.Text(IDC_MF_PURSE_BLOCK), L"1");
    Choose(h.Item(IDC_MF_PURSE_BLOCK), 0);
    Choose(h.Item(IDC_MF_PURSE_SECTOR), 0);
    EXPECT_EQ(ListTexts(blocks), (std::vector<std::wstring>{L"1", L"2"}));
    EXPECT_EQ(h.Text(IDC_MF_PURSE_BLOCK), L"1");
    EXPECT_EQ(ListTexts(h.Item(IDC_MF_PURSE_SECTOR)).size(), 16u);
}

TEST_F(MifarePurseTest, ValueFieldsFollowEachOther) {
    h.Type(IDC_MF_VALUE_HEX, L"ffffffff");
    EXPECT_EQ(h.Text(IDC_MF_VALUE_DEC), L"-1");
    h.SetText(IDC_MF_VALUE_DEC, L"100");
    EXPECT_EQ(h.Text(IDC_MF_VALUE_HEX), L"64000000");
    h.SetText(IDC_MF_VALUE_DEC, L"");
    EXPECT_EQ(h.Text(IDC_MF_VALUE_HEX), L"FFFFFFFF");
    h.SetText(IDC_MF_VALUE_HEX, L"0201");
    EXPECT_EQ(h.Text(IDC_MF_VALUE_DEC), L"258");
    // No 32-bit value: the hexadecimal field is emptied rather than wrapped.
    h.SetText(IDC_MF_VALUE_DEC, L"99999999999");
    EXPECT_EQ(h.Text(IDC_MF_VALUE_HEX), L"");
    EXPECT_EQ(h.Text(IDC_MF_VALUE_DEC), L"99999999999");
}

TEST_F(MifarePurseTest, InitializeWritesTheDecimalValueToTheChosenBlock) {
    Choose(h.Item(IDC_MF_PURSE_SECTOR), 1);
    Choose(h.Item(IDC_MF_PURSE_BLOCK), 0);
    CheckRadioButton(*h.panel, IDC_MF_PURSE_USE_KEY_A, IDC_MF_PURSE_USE_KEY_B, IDC_MF_PURSE_USE_KEY_B);
    h.SetText(IDC_MF_VALUE_DEC, L"100");
    h.Click(IDC_MF_INITIALIZE);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_M1_authentication2(0, 97, 4, *)", "rf_M1_initval(0, 4, 100)"}));
    EXPECT_EQ(h.services.status, L"OK");
    EXPECT_EQ(h.services.log.back(), (FakeServices::LogLine{L"rf_M1_initval", 0}));
}

TEST_F(MifarePurseTest, IncrementAndDecrementUseTheBlockWithinTheSector) {
    Choose(h.Item(IDC_MF_PURSE_SECTOR), 2);
    Choose(h.Item(IDC_MF_PURSE_BLOCK), 2);
    h.SetText(IDC_MF_VALUE_DEC, L"-7");
    h.Click(IDC_MF_INCREMENT);
    h.Click(IDC_MF_DECREMENT);
    EXPECT_EQ(h.script.Log(),
              (Calls{"rf_M1_authentication2(0, 96, 8, *)", "rf_M1_increment(0, 10, -7)",
                     "rf_M1_authentication2(0, 96, 8, *)", "rf_M1_decrement(0, 10, -7)"}));
}

TEST_F(MifarePurseTest, ValueOutsideThirtyTwoBitsIsRefusedNamingTheRange) {
    for (const wchar_t* value : {L"4294967396", L"2147483648", L"-2147483649"}) {
        h.services.boxes.clear();
        h.script.ClearLog();
        h.SetText(IDC_MF_VALUE_DEC, value);
        h.Click(IDC_MF_INITIALIZE);
        EXPECT_EQ(h.script.Names(), (Calls{"rf_M1_authentication2"})) << value;
        ASSERT_EQ(h.services.boxes.size(), 1u) << value;
        EXPECT_EQ(h.services.boxes[0].text, L"Input a value from -2147483648 to 2147483647 please!");
        EXPECT_EQ(h.services.boxes[0].caption, L"Warning");
    }

    h.SetText(IDC_MF_VALUE_DEC, L"");
    h.Click(IDC_MF_DECREMENT);
    ASSERT_EQ(h.services.boxes.size(), 2u);
    EXPECT_EQ(h.services.boxes[1].text, L"Input date please!");
    EXPECT_EQ(h.script.Names().back(), "rf_M1_authentication2");
}

TEST_F(MifarePurseTest, FailedValueCallReportsAndClearsTheCard) {
    h.script.Fail(h.script.library.rf_M1_decrement, 0x14);
    h.SetText(IDC_MF_VALUE_DEC, L"1");
    h.Click(IDC_MF_DECREMENT);
    EXPECT_EQ(h.services.status, L"Error: 14 ,function: rf_M1_decrement");
    EXPECT_EQ(h.services.log.back(), (FakeServices::LogLine{L"rf_M1_decrement", 0x14}));
    EXPECT_FALSE(h.panel->CardSelected());
}

TEST_F(MifarePurseTest, BalanceShowsTheValueInBothFields) {
    h.script.On(h.script.library.rf_M1_readval, [](int32_t, uint8_t, int32_t* value) {
        *value = 100;
        return 0;
    });
    h.SetText(IDC_MF_VALUE_DEC, L"55");
    h.Click(IDC_MF_BALANCE);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_M1_authentication2(0, 96, 0, *)", "rf_M1_readval(0, 1, *)"}));
    EXPECT_EQ(h.Text(IDC_MF_VALUE_DEC), L"100");
    EXPECT_EQ(h.Text(IDC_MF_VALUE_HEX), L"64000000");
    EXPECT_EQ(h.services.status, L"OK");

    // A failed read leaves the emptied fields: decimal 0, hexadecimal empty.
    h.script.Fail(h.script.library.rf_M1_readval, 0x13);
    h.Click(IDC_MF_BALANCE);
    EXPECT_EQ(h.Text(IDC_MF_VALUE_DEC), L"0");
    EXPECT_EQ(h.Text(IDC_MF_VALUE_HEX), L"");
    EXPECT_EQ(h.services.status, L"Error: 13 ,function: rf_M1_readval");
}

}  // namespace
