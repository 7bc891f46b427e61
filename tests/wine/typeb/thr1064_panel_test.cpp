// The THR1064 panel: a search that retries only the set-up, page reads and
// their access boxes, and the commands that keep the log.
#include <gtest/gtest.h>

#include <vector>

#include "support/list_helpers.h"
#include "support/panel_harness.h"
#include "vantrel/panels/iso14443b/thr1064_ids.h"
#include "vantrel/panels/iso14443b/thr1064_panel.h"

namespace {

class Thr1064PanelTest : public ::testing::Test {
protected:
    PanelHarness<CThr1064Panel> h;
};

TEST_F(Thr1064PanelTest, AFailedAtqbIsNotRetried) {
    EXPECT_EQ(ListTexts(h.Item(IDC_THR_PAGE_LIST)),
              (std::vector<std::wstring>{L"Page0", L"Page1", L"Page2", L"Page3"}));
    h.SetText(IDC_THR_SERIAL, L"0102");
    h.SetText(IDC_THR_PAGE2, L"AA");
    h.script.Fail(h.script.library.rf_atqb, 0x10);
    h.Click(IDC_THR_SEARCH);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_antenna_sta(0, 0)", "Wait(20)", "rf_init_type(0, 66)", "Wait(20)",
                                     "rf_antenna_sta(0, 1)", "Wait(50)", "rf_atqb(0, 0, *, *)"}));
    EXPECT_EQ(h.Text(IDC_THR_SERIAL), L"");
    EXPECT_EQ(h.Text(IDC_THR_PAGE2), L"");
    EXPECT_EQ(h.services.status, L"Error: 10 ,function: rf_atqb");

    h.script.ClearLog();
    h.SetText(IDC_THR_SERIAL, L"0102030405060708");
    h.script.Fail(h.script.library.rf_init_type, 0x01);
    h.Click(IDC_THR_SEARCH);
    EXPECT_EQ(h.script.Log().size(), 6u);  // two set-ups, no request
    EXPECT_EQ(h.Text(IDC_THR_SERIAL), L"");
}

TEST_F(Thr1064PanelTest, AuthenticateNeedsAnEightByteKeyAndKeepsTheLogWithoutAConnection) {
    h.connection.open = false;
    h.services.log.push_back({L"earlier", 0});
    h.SetText(IDC_THR_KEY, L"01020304050607");
    h.Click(IDC_THR_AUTHENTICATE);
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Input 8 byte in key text please!");
    EXPECT_TRUE(h.script.Log().empty());

    std::vector<uint8_t> key;
    h.script.On(h.script.library.rf_thr1064_check, [&](int32_t, const uint8_t* sent) {
        key.assign(sent, sent + 8);
        return 0;
    });
    h.SetText(IDC_THR_KEY, L"0102030405060708");
    h.Click(IDC_THR_AUTHENTICATE);
    EXPECT_EQ(key, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(h.services.clears, 0);
    EXPECT_EQ(h.services.log, (std::vector<FakeServices::LogLine>{{L"earlier", 0}, {L"rf_thr1064_check", 0}}));
    EXPECT_EQ(h.services.status, L"OK");
}

TEST_F(Thr1064PanelTest, AnEightBytePageAnsweringMoreIsRefusedWithNothingShown) {
    h.script.On(h.script.library.rf_thr1064_read, [](int32_t, uint8_t, uint8_t* out, uint8_t* length) {
        Answer(out, length, std::vector<uint8_t>(16, 0x5A));
        return 0;
    });
    h.SetText(IDC_THR_PAGE0, L"11");
    h.SetText(IDC_THR_PAGE1_A, L"22");
    h.SetText(IDC_THR_PAGE3, L"33");
    for (const int page : {0, 3}) {
        SCOPED_TRACE(page);
        ChooseNumber(h.Item(IDC_THR_PAGE_LIST), page);
        const int beeps = h.services.beeps;
        h.Click(IDC_THR_READ);
        EXPECT_EQ(h.services.status.rfind(L"Error", 0), 0u);
        EXPECT_EQ(h.services.beeps, beeps + 1);
        EXPECT_FALSE(h.IsChecked(IDC_THR_P0_READ));
    }
    EXPECT_EQ(h.Text(IDC_THR_PAGE0), L"");  // a failed page 0 read empties it
    EXPECT_EQ(h.Text(IDC_THR_PAGE1_A), L"22");
    EXPECT_EQ(h.Text(IDC_THR_PAGE3), L"33");
}

TEST_F(Thr1064PanelTest, PageZeroDecodesItsConfigurationAndFailuresClearIt) {
    uint8_t configuration = 0x10;
    int32_t status = 0;
    h.script.On(h.script.library.rf_thr1064_read, [&](int32_t, uint8_t, uint8_t* out, uint8_t* length) {
        Answer(out, length, {1, 2, 3, 4, 5, 6, 7, configuration});
        return status;
    });
    h.Click(IDC_THR_READ);
    EXPECT_EQ(h.Text(IDC_THR_PAGE0), L"0102030405060710");
    EXPECT_TRUE(h.IsChecked(IDC_THR_P2_KEY));
    EXPECT_FALSE(h.IsChecked(IDC_THR_P2_READ));
    EXPECT_TRUE(h.IsChecked(IDC_THR_P3_AUTH_WRITE));
    EXPECT_EQ(h.services.status, L"Communication successful");

    // Keys and clicks change nothing.
    h.Click(IDC_THR_P2_KEY);
    SendMessageW(h.Item(IDC_THR_P0_READ), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(h.Item(IDC_THR_P0_READ), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    SendMessageW(h.Item(IDC_THR_P0_READ), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(h.Item(IDC_THR_P0_READ), WM_KEYUP, VK_SPACE, 0);
    PumpMessages();
    EXPECT_TRUE(h.IsChecked(IDC_THR_P2_KEY));
    EXPECT_TRUE(h.IsChecked(IDC_THR_P0_READ));

    status = 0x12;
    h.Click(IDC_THR_READ);
    EXPECT_EQ(h.Text(IDC_THR_PAGE0), L"");
    EXPECT_FALSE(h.IsChecked(IDC_THR_P2_KEY));
    EXPECT_FALSE(h.IsChecked(IDC_THR_P0_READ));
}

TEST_F(Thr1064PanelTest, ReadAndWriteKeepTheLogAndAShortPageOneIsAnError) {
    h.connection.open = false;
    h.services.log.push_back({L"earlier", 0});
    h.script.On(h.script.library.rf_thr1064_read, [](int32_t, uint8_t, uint8_t* out, uint8_t* length) {
        Answer(out, length, std::vector<uint8_t>(39, 0x5A));
        return 0;
    });
    ChooseNumber(h.Item(IDC_THR_PAGE_LIST), 1);
    h.SetText(IDC_THR_PAGE1_A, L"11");
    h.Click(IDC_THR_READ);
    EXPECT_EQ(h.services.clears, 0);
    EXPECT_EQ(h.services.log.size(), 2u);
    EXPECT_EQ(h.Text(IDC_THR_PAGE1_A), L"");
    EXPECT_EQ(h.services.status.rfind(L"Error", 0), 0u);
    EXPECT_EQ(h.services.beeps, 1);

    // Page 1 is written from its five pieces, 40 bytes in all.
    std::vector<uint8_t> written;
    h.script.On(h.script.library.rf_thr1064_write,
                [&](int32_t, uint8_t, const uint8_t* data, uint8_t length) {
                    written.assign(data, data + length);
                    return 0;
                });
    for (int id : {IDC_THR_PAGE1_A, IDC_THR_PAGE1_B, IDC_THR_PAGE1_C, IDC_THR_PAGE1_D}) {
        h.SetText(id, L"0001020304050607");
    }
    h.SetText(IDC_THR_PAGE1_E, L"00010203040506");
    h.Click(IDC_THR_WRITE);
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Input 40 byte in page1 text please!");
    h.SetText(IDC_THR_PAGE1_E, L"08090A0B0C0D0E0F");
    h.Click(IDC_THR_WRITE);
    ASSERT_EQ(written.size(), 40u);
    EXPECT_EQ(written[39], 0x0F);
    EXPECT_EQ(h.services.clears, 0);
    EXPECT_EQ(h.services.status, L"Communication successful");
}

}  // namespace
