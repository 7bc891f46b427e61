#include <gtest/gtest.h>

#include "tag_script.h"
#include "vantrel/panels/iso14443a/ntag203_ids.h"
#include "vantrel/panels/iso14443a/ntag203_panel.h"

class Ntag203PanelTest : public ::testing::Test {
protected:
    PanelHarness<CNtag203Panel> h;
};

TEST_F(Ntag203PanelTest, OffersPagesTwoToFortyOne) {
    EXPECT_EQ(ListedPages(h.Item(IDC_NT_PAGE_LIST)), Range(2, 41));
    EXPECT_EQ(h.Text(IDC_NT_SEARCH), L"ReqALL");
    EXPECT_EQ(h.Text(IDC_NT_UID_LABEL), L"SN0.......SN6");
}

TEST_F(Ntag203PanelTest, ReadsEveryPageOnItsOwn) {
    ServeReads(h.script, 42);
    h.Click(IDC_NT_READ);
    ASSERT_EQ(h.script.Log().size(), 42u);
    EXPECT_EQ(h.script.Log()[41], "rf_M1_read(0, 41, *, *)");
    EXPECT_EQ(h.Text(IDC_NT_PAGE1), PageHex(1));
    EXPECT_EQ(h.Text(IDC_NT_PAGE2_DATA), PageHex(2).substr(0, 4));
    EXPECT_EQ(h.Text(IDC_NT_PAGE2_LOCK), PageHex(2).substr(4));
    EXPECT_EQ(h.Text(IDC_NT_PAGE3), PageHex(3));
    EXPECT_EQ(h.Text(IDC_NT_PAGE16), PageHex(16));
    EXPECT_EQ(h.Text(IDC_NT_PAGE41), PageHex(41));
    EXPECT_EQ(h.services.status, L"OK");
}

TEST_F(Ntag203PanelTest, TagWithSixteenPagesFailsAtPageSixteen) {
    h.SetText(IDC_NT_PAGE20, L"01020304");
    ServeReads(h.script, 16, 0x0A);
    h.Click(IDC_NT_READ);
    EXPECT_EQ(h.script.Log().size(), 17u);
    EXPECT_EQ(h.Text(IDC_NT_PAGE0), PageHex(0));
    EXPECT_EQ(h.Text(IDC_NT_PAGE15), PageHex(15));
    EXPECT_EQ(h.Text(IDC_NT_PAGE16), L"");
    EXPECT_EQ(h.Text(IDC_NT_PAGE20), L"");
    EXPECT_EQ(h.services.status, L"Error: a ,function: Read Page: 16 error!");
    EXPECT_EQ(h.services.beeps, 1);
}

TEST_F(Ntag203PanelTest, PageFortyOneWithTwoDigitsSendsOneByteAndZeros) {
    PageWrite written;
    CaptureWrites(h.script, written);
    h.Type(IDC_NT_PAGE41, L"01");
    SelectPage(h.Item(IDC_NT_PAGE_LIST), 41);
    h.Click(IDC_NT_WRITE);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_ul_write(0, 41, *)"}));
    EXPECT_EQ(written.data, (std::vector<uint8_t>{0x01, 0x00, 0x00, 0x00}));
    EXPECT_TRUE(h.services.boxes.empty());  // no confirmation, highlighted or not

    h.Type(IDC_NT_PAGE2_LOCK, L"0f");
    SelectPage(h.Item(IDC_NT_PAGE_LIST), 2);
    h.Click(IDC_NT_WRITE);
    EXPECT_EQ(written.data, (std::vector<uint8_t>{0x00, 0x00, 0x0F, 0x00}));
}

TEST_F(Ntag203PanelTest, UidRefusesTypingAndOnlyTheFirstSixteenPagesFilterKeys) {
    h.Type(IDC_NT_UID, L"ab12");
    EXPECT_EQ(h.Text(IDC_NT_UID), L"");
    h.Type(IDC_NT_PAGE15, L"aXg1");
    EXPECT_EQ(h.Text(IDC_NT_PAGE15), L"a1");
    h.Type(IDC_NT_PAGE16, L"aXg1");
    EXPECT_EQ(h.Text(IDC_NT_PAGE16), L"aXg1");
    // Plain page edits keep the 8-character limit.
    h.Type(IDC_NT_PAGE30, L"0123456789");
    EXPECT_EQ(h.Text(IDC_NT_PAGE30), L"01234567");
}

TEST_F(Ntag203PanelTest, LastTwoPagesAreHighlightedToo) {
    HDC dc = GetDC(h.Item(IDC_NT_PAGE40));
    for (int id : {IDC_NT_PAGE2_LOCK, IDC_NT_PAGE3, IDC_NT_PAGE40, IDC_NT_PAGE41, IDC_NT_PAGE39}) {
        SetTextColor(dc, RGB(0, 0, 0));
        SendMessageW(*h.panel, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(h.Item(id)));
        EXPECT_EQ(GetTextColor(dc) == RGB(255, 255, 0), id != IDC_NT_PAGE39) << id;
    }
    ReleaseDC(h.Item(IDC_NT_PAGE40), dc);
}
