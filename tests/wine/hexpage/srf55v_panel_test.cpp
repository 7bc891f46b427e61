#include <gtest/gtest.h>

#include <richedit.h>

#include "editor_text.h"
#include "vantrel/panels/iso15693/srf55v_ids.h"
#include "vantrel/panels/iso15693/srf55v_panel.h"
#include "vicinity_script.h"

namespace {

constexpr int kLine = 8 * 3;  // characters of one page's line

// Two upper-case hex digits.
std::wstring HexLabelOf(int value) {
    const auto b = static_cast<uint8_t>(value);
    return BytesToHex(&b, 1);
}

// Page p of the scripted tag holds p, p+1, ..., p+7.
std::vector<uint8_t> PageBytes(int page) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<uint8_t>(page + i));
    return bytes;
}

class Srf55vTest : public ::testing::TestWithParam<int> {
protected:
    Srf55vTest() : h(GetParam()) {
        ServeInventory(h.script, 1);
        h.Click(IDC_VF_INVENTORY);
        h.script.ClearLog();
    }

    int Pages() const { return GetParam() == kCodeSrf55V10P ? 128 : 32; }
    HWND Editor() const { return h.Item(IDC_VF_EDITOR); }
    // Pages answered in full, except `shortPage` (7 bytes) and `failPage` (status 0x0A).
    void ServePages(int shortPage = -1, int failPage = -1) {
        h.script.On(h.script.library.Srf55vp_Read,
                    [=](int32_t, const uint8_t*, uint8_t page, uint8_t* out, uint8_t* length) {
                        if (page == failPage) return 0x0A;
                        std::vector<uint8_t> bytes = PageBytes(page);
                        if (page == shortPage) bytes.resize(7);
                        Answer(out, length, bytes);
                        return 0;
                    });
    }
    void TypeAt(int position, const std::wstring& digits) { ::TypeAt(Editor(), position, digits); }

    PanelHarness<CSrf55vPanel> h;
};

INSTANTIATE_TEST_SUITE_P(Sizes, Srf55vTest, ::testing::Values(kCodeSrf55V02P, kCodeSrf55V10P));

}  // namespace

TEST_P(Srf55vTest, ReadTakesEveryPageWithOneLogLineAndPagesOfSixteen) {
    int low = -1, high = -1;
    GetScrollRange(h.Item(IDC_VF_PAGE_BAR), SB_CTL, &low, &high);
    EXPECT_EQ(high, Pages() / 16 - 1);
    ServePages();
    h.Click(IDC_VF_READ);
    EXPECT_EQ(h.script.Log().size(), static_cast<std::size_t>(Pages()));
    EXPECT_EQ(h.script.Log().back(), "Srf55vp_Read(0, *, " + std::to_string(Pages() - 1) + ", *, *)");
    EXPECT_EQ(h.services.log, (std::vector<FakeServices::LogLine>{{L"Srf55vp_Read", 0}}));
    EXPECT_EQ(EditorText(Editor()).substr(kLine, kLine), L"01 02 03 04 05 06 07 08 ");
    EXPECT_EQ(h.services.status, L"OK");

    // The last page's lines are labelled with their tag pages: 70 to 7F on an SRF55V10P.
    const int last = Pages() / 16 - 1;
    ScrollPageBar(*h.panel, h.Item(IDC_VF_PAGE_BAR), SB_THUMBPOSITION, last);
    const HexPagePane& pane = *h.panel->HexPanes()[0];
    EXPECT_EQ(pane.LineLabel(0), HexLabelOf(16 * last));
    EXPECT_EQ(pane.LineLabel(15), HexLabelOf(16 * last + 15));
    EXPECT_EQ(EditorText(Editor()).substr(15 * kLine, 3), HexLabelOf(16 * last + 15) + L" ");
}

TEST_P(Srf55vTest, AFailedOrShortPageLeavesAnAllZeroEditor) {
    const std::wstring zeros = [] {
        std::wstring text;
        for (int i = 0; i < 16 * 8; ++i) text += L"00 ";
        return text;
    }();
    ServePages();
    h.Click(IDC_VF_READ);
    ServePages(-1, 5);
    h.Click(IDC_VF_READ);
    EXPECT_EQ(EditorText(Editor()), zeros);
    EXPECT_EQ(h.services.status, L"Error: a ,function: Srf55vp_Read");

    ServePages();
    h.Click(IDC_VF_READ);
    ServePages(3);
    h.Click(IDC_VF_READ);
    EXPECT_EQ(EditorText(Editor()), zeros);
    EXPECT_EQ(h.services.status.rfind(L"Error: ", 0), 0u);
    EXPECT_NE(h.services.status.find(L"3"), std::wstring::npos);
}

TEST_P(Srf55vTest, WriteSendsTheChangedRangeAndChecksTheReadBack) {
    ServePages();
    h.Click(IDC_VF_READ);
    int readBackLength = 8;
    h.script.On(h.script.library.Srf55vp_Write_Reread,
                [&](int32_t, const uint8_t*, uint8_t, const uint8_t* data, uint8_t* readBack, uint8_t* length) {
                    std::copy_n(data, 8, readBack);
                    *length = static_cast<uint8_t>(readBackLength);
                    return 0;
                });
    TypeAt(3 * kLine, L"F");
    TypeAt(6 * kLine + 3, L"E");
    h.script.ClearLog();
    h.Click(IDC_VF_WRITE);
    Calls expected;
    for (int page = 3; page <= 6; ++page) {
        expected.push_back("Srf55vp_Write_Reread(0, *, " + std::to_string(page) + ", *, *, *)");
    }
    EXPECT_EQ(h.script.Log(), expected);
    EXPECT_EQ(h.services.status, L"OK");

    readBackLength = 7;
    h.script.ClearLog();
    h.Click(IDC_VF_WRITE);
    EXPECT_EQ(h.script.Log().size(), 1u);
    EXPECT_EQ(h.services.log.back(), (FakeServices::LogLine{L"Srf55vp_Write_Reread", 1}));
    EXPECT_EQ(h.services.status, L"Error: 1 ,function: Srf55vp_Write_Reread");

    // What was written stays when the page changes.
    ScrollPageBar(*h.panel, h.Item(IDC_VF_PAGE_BAR), SB_LINEDOWN);
    ScrollPageBar(*h.panel, h.Item(IDC_VF_PAGE_BAR), SB_LINEUP);
    EXPECT_EQ(EditorText(Editor()).substr(3 * kLine, 3), L"F3 ");
}
