#include "vantrel/toolkit/list_tip.h"

#include <gtest/gtest.h>

#include "controls/answer_list_test_support.h"
#include "support/panel_harness.h"

namespace {

std::wstring Digits(size_t count) {
    std::wstring text;
    for (size_t i = 0; i < count; ++i) text.push_back(static_cast<wchar_t>(L'0' + i % 10));
    return text;
}

class ListTipTest : public ::testing::Test, public AnswerListFixture {
protected:
    void SetUp() override { ASSERT_TRUE(answers.EnableTip()); }
    HWND Tip() const { return answers.Tip(); }
    bool TipShown() const { return answers.Tip().IsShown() && IsWindowVisible(Tip()); }
    // Sends a mouse message to the tip at a point of the list's client area.
    void MouseOnTip(UINT message, POINT listPoint) {
        MoveCursorTo(listPoint);
        MapWindowPoints(list, Tip(), &listPoint, 1);
        SendMessageW(Tip(), message, 0, MAKELPARAM(listPoint.x, listPoint.y));
        PumpMessages();
    }
};

}  // namespace

TEST_F(ListTipTest, ClickShowsTheWholeTextInLinesOfSixtyOverTheItem) {
    const std::wstring text = Digits(130);
    answers.Append(L"9000");
    answers.Append(text);
    EXPECT_EQ(Tip(), nullptr);  // made by the first click
    Click(1);
    ASSERT_TRUE(TipShown());
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(answers.Tip().ShownText(),
              text.substr(0, 60) + L"\r\n" + text.substr(60, 60) + L"\r\n" + text.substr(120));
    EXPECT_EQ(GetCapture(), Tip());

    const RECT tip = ScreenRect(Tip());
    const RECT item = ItemRect(1);
    POINT itemCorner{item.left, item.top};
    ClientToScreen(list, &itemCorner);
    EXPECT_EQ(tip.bottom - tip.top, 3 * LineHeight() + 3);
    EXPECT_EQ(tip.right - tip.left, TextWidth(text.substr(0, 60)) + 6 + 3);
    EXPECT_EQ(tip.left, itemCorner.x + 5);
    EXPECT_EQ(tip.top, itemCorner.y);

    wchar_t className[32]{};
    GetClassNameW(Tip(), className, 32);
    EXPECT_STREQ(className, L"QaltListTip");
    EXPECT_NE(GetWindowLongPtrW(Tip(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetActiveWindow(), Tip());
}

TEST_F(ListTipTest, TipNearTheBottomMovesUpToStayInsideTheList) {
    for (int i = 0; i < 30; ++i) answers.Append(Digits(130));
    const int last = answers.Count() - 1;  // scrolled into view at the bottom
    Click(last);
    ASSERT_TRUE(TipShown());
    const RECT tip = ScreenRect(Tip());
    const RECT client = ListScreenClient();
    EXPECT_EQ(tip.bottom, client.bottom);
    EXPECT_GE(tip.top, client.top);
    EXPECT_LE(tip.right, client.right + 8);  // the shift and widening on screen
}

TEST_F(ListTipTest, KeyPressHidesTheTipAndReachesTheList) {
    answers.Append(L"01");
    answers.Append(L"02");
    Click(0);
    ASSERT_TRUE(TipShown());
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 1);
    PumpMessages();
    EXPECT_FALSE(TipShown());
    EXPECT_NE(GetCapture(), Tip());
    EXPECT_EQ(Selected(), 1);
}

TEST_F(ListTipTest, MouseMoveOffTheTipAndItsItemHidesIt) {
    answers.Append(L"0102030405");
    answers.Append(L"02");
    Click(0);
    ASSERT_TRUE(TipShown());
    const RECT item = ItemRect(0);
    MouseOnTip(WM_MOUSEMOVE, POINT{item.left + 8, item.top + 2});
    EXPECT_TRUE(TipShown());
    // Still on the clicked item, left of the tip or past its end.
    MouseOnTip(WM_MOUSEMOVE, POINT{item.left + 1, item.top + 2});
    MouseOnTip(WM_MOUSEMOVE, POINT{item.right - 2, item.bottom - 1});
    EXPECT_TRUE(TipShown());
    MouseOnTip(WM_MOUSEMOVE, POINT{item.left + 8, ItemRect(1).bottom + 20});
    EXPECT_FALSE(TipShown());
    EXPECT_NE(GetCapture(), Tip());
}

TEST_F(ListTipTest, ButtonPressOnTheTipGoesToTheItemUnderIt) {
    answers.Append(Digits(130));  // three lines: the tip covers the next items
    for (int i = 1; i < 5; ++i) answers.Append(L"item " + std::to_wstring(i));
    Click(0);
    ASSERT_TRUE(TipShown());
    const RECT target = ItemRect(1);
    POINT onTip{target.left + 20, (target.top + target.bottom) / 2};
    POINT screen = onTip;
    ClientToScreen(list, &screen);
    ASSERT_EQ(WindowFromPoint(screen), Tip());
    MouseOnTip(WM_LBUTTONDOWN, onTip);
    // The press reached the list: item 1 is selected and has the tip now.
    EXPECT_EQ(Selected(), 1);
    ASSERT_TRUE(TipShown());
    POINT corner{target.left, target.top};
    ClientToScreen(list, &corner);
    EXPECT_EQ(ScreenRect(Tip()).top, corner.y);
    EXPECT_EQ(answers.Tip().ShownText(), L"item 1");
}

TEST_F(ListTipTest, NothingIsShownForAnEmptyTextOrWithoutFocus) {
    answers.Append(L"");
    Click(0);
    EXPECT_EQ(Selected(), 0);
    EXPECT_FALSE(TipShown());

    SetFocus(nullptr);
    answers.Tip().Show(ItemRect(0), L"9000");
    EXPECT_FALSE(TipShown());
}

TEST_F(ListTipTest, ClearHidesTheTip) {
    answers.Append(L"9000");
    Click(0);
    ASSERT_TRUE(TipShown());
    answers.Clear();
    EXPECT_FALSE(TipShown());
    EXPECT_NE(GetCapture(), Tip());
}

TEST(ListTipOff, ClickOnlySelects) {
    AnswerListFixture f;
    f.answers.Append(L"01");
    f.answers.Append(L"02");
    f.Click(0);
    EXPECT_EQ(f.Selected(), 0);
    EXPECT_FALSE(f.answers.Tip().IsValid());
}
