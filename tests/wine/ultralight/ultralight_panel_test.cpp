#include <gtest/gtest.h>

#include "tag_script.h"
#include "vantrel/panels/iso14443a/ultralight_ids.h"
#include "vantrel/panels/iso14443a/ultralight_panel.h"

namespace {

using LogLines = std::vector<FakeServices::LogLine>;

const Calls kSearchAttempt = {"rf_antenna_sta(0, 0)", "rf_init_type(0, 65)", "Wait(20)",
                              "rf_antenna_sta(0, 1)", "rf_request(0, 82, *)"};

std::wstring ListText(HWND list, int index) {
    wchar_t text[16] = {};
    SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

class UltraLightPanelTest : public ::testing::Test {
protected:
    PanelHarness<CUltraLightPanel> h;
};

TEST_F(UltraLightPanelTest, OffersPagesTwoToFifteenUnderEnglishCaptions) {
    const HWND list = h.Item(IDC_UL_PAGE_LIST);
    EXPECT_EQ(ListedPages(list), Range(2, 15));
    EXPECT_EQ(ListText(list, 0), L"2");
    EXPECT_EQ(ListText(list, 13), L"15");
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);

    EXPECT_EQ(h.Text(IDC_UL_SEARCH), L"ReqALL");
    EXPECT_EQ(h.Text(IDC_UL_PAGE_LABEL), L"WriterPage");
    EXPECT_GT(h.panel->ContentHeight(), 0);
}

TEST_F(UltraLightPanelTest, PageTwoWritesBothHalvesLockBytesFromByteTwo) {
    PageWrite written;
    CaptureWrites(h.script, written);
    h.Type(IDC_UL_PAGE2_DATA, L"1122");
    h.Type(IDC_UL_PAGE2_LOCK, L"3344");
    SelectPage(h.Item(IDC_UL_PAGE_LIST), 2);
    h.Click(IDC_UL_WRITE);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_ul_write(0, 2, *)"}));
    EXPECT_EQ(written.data, (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(h.services.status, L"OK");
    EXPECT_EQ(h.services.beeps, 0);
}

TEST_F(UltraLightPanelTest, ShortPageTextIsWrittenWithZeros) {
    PageWrite written;
    CaptureWrites(h.script, written);
    h.Type(IDC_UL_PAGE5, L"ab");
    SelectPage(h.Item(IDC_UL_PAGE_LIST), 5);
    h.Click(IDC_UL_WRITE);
    EXPECT_EQ(written.page, 5);
    EXPECT_EQ(written.data, (std::vector<uint8_t>{0xAB, 0x00, 0x00, 0x00}));

    // An empty page writes four zeros, also on the lock and one-time fields.
    SelectPage(h.Item(IDC_UL_PAGE_LIST), 3);
    h.Click(IDC_UL_WRITE);
    EXPECT_EQ(written.page, 3);
    EXPECT_EQ(written.data, (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_TRUE(h.services.boxes.empty());
}

TEST_F(UltraLightPanelTest, ReadShowsSixteenPagesFourAtATime) {
    ServeReads(h.script, 16);
    h.Click(IDC_UL_READ);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_M1_read(0, 0, *, *)", "rf_M1_read(0, 4, *, *)",
                                     "rf_M1_read(0, 8, *, *)", "rf_M1_read(0, 12, *, *)"}));
    EXPECT_EQ(h.Text(IDC_UL_PAGE0), PageHex(0));
    EXPECT_EQ(h.Text(IDC_UL_PAGE1), PageHex(1));
    EXPECT_EQ(h.Text(IDC_UL_PAGE2_DATA), PageHex(2).substr(0, 4));
    EXPECT_EQ(h.Text(IDC_UL_PAGE2_LOCK), PageHex(2).substr(4));
    EXPECT_EQ(h.Text(IDC_UL_PAGE3), PageHex(3));
    EXPECT_EQ(h.Text(IDC_UL_PAGE9), PageHex(9));
    EXPECT_EQ(h.Text(IDC_UL_PAGE15), PageHex(15));
    EXPECT_EQ(h.services.status, L"OK");
}

TEST_F(UltraLightPanelTest, FailingSecondReadLeavesPagesZeroToThree) {
    h.SetText(IDC_UL_PAGE6, L"DEADBEEF");
    ServeReads(h.script, 4, 0x14);
    h.Click(IDC_UL_READ);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_M1_read(0, 0, *, *)", "rf_M1_read(0, 4, *, *)"}));
    EXPECT_EQ(h.services.log, (LogLines{{L"rf_M1_read", 0}, {L"rf_M1_read", 0x14}}));
    EXPECT_EQ(h.Text(IDC_UL_PAGE3), PageHex(3));
    EXPECT_EQ(h.Text(IDC_UL_PAGE4), L"");
    EXPECT_EQ(h.Text(IDC_UL_PAGE6), L"");
    EXPECT_EQ(h.services.status, L"Error: 14 ,function: Read Page: 4 error!");
    EXPECT_EQ(h.services.beeps, 1);
}

TEST_F(UltraLightPanelTest, ShortAnswerToASuccessfulReadIsReportedAsAnError) {
    ServeReads(h.script, 16, 0, 15);
    h.Click(IDC_UL_READ);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_M1_read(0, 0, *, *)"}));
    EXPECT_EQ(h.Text(IDC_UL_PAGE0), L"");
    EXPECT_EQ(h.services.status, L"Error: Read Page: 0 error!");
    EXPECT_EQ(h.services.beeps, 1);
}

TEST_F(UltraLightPanelTest, SearchWithoutATagMakesTwoAttemptsAndKeepsThePages) {
    h.SetText(IDC_UL_UID, L"04112233445566");
    h.SetText(IDC_UL_PAGE5, L"12345678");
    h.script.Fail(h.script.library.rf_request, 1);
    h.Click(IDC_UL_SEARCH);
    Calls expected = kSearchAttempt;
    expected.insert(expected.end(), kSearchAttempt.begin(), kSearchAttempt.end());
    EXPECT_EQ(h.script.Log(), expected);
    EXPECT_EQ(h.Text(IDC_UL_UID), L"");
    EXPECT_EQ(h.Text(IDC_UL_PAGE5), L"12345678");
    EXPECT_EQ(h.services.status, L"Error: 1 ,function: rf_request");
}

TEST_F(UltraLightPanelTest, SearchShowsTheUidAndEmptiesThePages) {
    h.SetText(IDC_UL_PAGE5, L"12345678");
    h.SetText(IDC_UL_PAGE2_LOCK, L"FFFF");
    h.script.On(h.script.library.rf_ul_select, [](int32_t, uint8_t* uid, uint8_t* length) {
        Answer(uid, length, {0x04, 0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6});
        return 0;
    });
    h.Click(IDC_UL_SEARCH);
    Calls expected = kSearchAttempt;
    expected.push_back("rf_ul_select(0, *, *)");
    EXPECT_EQ(h.script.Log(), expected);
    EXPECT_EQ(h.Text(IDC_UL_UID), L"04A1B2C3D4E5F6");
    EXPECT_EQ(h.Text(IDC_UL_PAGE5), L"");
    EXPECT_EQ(h.Text(IDC_UL_PAGE2_LOCK), L"");
    EXPECT_EQ(h.services.status, L"Communication successful");
    EXPECT_EQ(h.services.beeps, 0);
}

TEST_F(UltraLightPanelTest, ReqIdlAndHaltCallOnceWithoutFieldSetUp) {
    h.Click(IDC_UL_REQIDL);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_request(0, 38, *)", "rf_ul_select(0, *, *)"}));
    EXPECT_EQ(h.services.status, L"Communication successful");

    h.script.ClearLog();
    h.Click(IDC_UL_HALT);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_halt(0)"}));
    EXPECT_EQ(h.services.log, (LogLines{{L"rf_halt", 0}}));
    EXPECT_EQ(h.services.status, L"Communication successful");
}

TEST_F(UltraLightPanelTest, EveryButtonNeedsTheConnection) {
    h.connection.open = false;
    h.SetText(IDC_UL_PAGE4, L"01020304");
    h.SetText(IDC_UL_UID, L"0102");
    for (int button : {IDC_UL_SEARCH, IDC_UL_REQIDL, IDC_UL_HALT, IDC_UL_READ, IDC_UL_WRITE}) {
        h.services.status.clear();
        h.Click(button);
        EXPECT_EQ(h.services.status, L"Error: Port did't opened") << button;
    }
    EXPECT_TRUE(h.script.Log().empty());
    EXPECT_TRUE(h.services.log.empty());
    EXPECT_EQ(h.Text(IDC_UL_PAGE4), L"01020304");
}

TEST_F(UltraLightPanelTest, LockAndOneTimeFieldsAreYellowOnRed) {
    HDC dc = GetDC(h.Item(IDC_UL_PAGE3));
    const auto colour = [&](int id) {
        SetTextColor(dc, RGB(0, 0, 0));
        const LRESULT brush = SendMessageW(*h.panel, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(h.Item(id)));
        return std::make_pair(GetTextColor(dc), brush);
    };
    const auto lock = colour(IDC_UL_PAGE2_LOCK);
    const auto otp = colour(IDC_UL_PAGE3);
    const auto plain = colour(IDC_UL_PAGE2_DATA);
    ReleaseDC(h.Item(IDC_UL_PAGE3), dc);

    EXPECT_EQ(lock.first, RGB(255, 255, 0));
    EXPECT_EQ(otp.first, RGB(255, 255, 0));
    EXPECT_NE(plain.first, RGB(255, 255, 0));
    LOGBRUSH lb{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HBRUSH>(lock.second), sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(240, 0, 0));
    // One brush for the panel's life, not a new one per repaint.
    EXPECT_EQ(lock.second, otp.second);
}
