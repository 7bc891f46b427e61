#include "vantrel/toolkit/answer_list.h"

#include <gtest/gtest.h>

#include "controls/answer_list_test_support.h"
#include "support/panel_harness.h"
#include "vantrel/toolkit/card_panel_base.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kUntouched = RGB(0, 255, 0);
constexpr int kItemWidth = 400;
constexpr int kItemHeight = 30;

class AnswerListTest : public ::testing::Test, public AnswerListFixture {
protected:
    // Has the list's parent draw item `index` onto `canvas` in `state`.
    void DrawOn(Canvas& canvas, int index, UINT state) {
        SetBkColor(canvas.Dc(), kWhite);
        SelectObject(canvas.Dc(), GetStockObject(SYSTEM_FONT));
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_LISTBOX;
        item.CtlID = kTestListId;
        item.itemID = static_cast<UINT>(index);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = list;
        item.hDC = canvas.Dc();
        item.rcItem = RECT{0, 0, kItemWidth, kItemHeight};
        drawAnswer = SendMessageW(GetParent(list), WM_DRAWITEM, kTestListId,
                                  reinterpret_cast<LPARAM>(&item));
    }

    LRESULT drawAnswer = 0;
};

}  // namespace

TEST_F(AnswerListTest, AppendKeepsTheTextAndSelectsOnlyTheNewItem) {
    EXPECT_EQ(answers.Append(L"9000"), 0);
    EXPECT_EQ(answers.Append(L"6A82"), 1);
    EXPECT_EQ(answers.Count(), 2);
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(answers.ItemText(0), L"9000");
    EXPECT_EQ(answers.ItemText(1), L"6A82");
    EXPECT_EQ(answers.ItemText(2), L"");
    answers.Clear();
    EXPECT_EQ(answers.Count(), 0);
}

TEST(AnswerListMultiSelect, AppendClearsEveryOtherSelection) {
    AnswerListFixture f(LBS_HASSTRINGS | LBS_EXTENDEDSEL);
    f.answers.Append(L"01");
    f.answers.Append(L"02");
    SendMessageW(f.list, LB_SETSEL, TRUE, 0);
    f.answers.Append(L"03");
    EXPECT_EQ(SendMessageW(f.list, LB_GETSELCOUNT, 0, 0), 1);
    EXPECT_GT(SendMessageW(f.list, LB_GETSEL, 2, 0), 0);
}

TEST(AnswerListWithoutStrings, ItemsKeepTheirTextAsData) {
    AnswerListFixture f(0);
    f.answers.Append(L"00A4040000");
    EXPECT_EQ(f.answers.ItemText(0), L"00A4040000");
}

TEST_F(AnswerListTest, ItemAtFindsOnlyRealItems) {
    answers.Append(L"01");
    answers.Append(L"02");
    const RECT second = ItemRect(1);
    EXPECT_EQ(answers.ItemAt(POINT{5, second.top + 2}), 1);
    EXPECT_EQ(answers.ItemAt(POINT{5, second.bottom + 40}), -1);
    answers.Clear();
    EXPECT_EQ(answers.ItemAt(POINT{5, 5}), -1);
}

TEST_F(AnswerListTest, SelectedFocusedItemIsFilledAndFramedInRed) {
    answers.Append(L"9000");
    Canvas canvas(kItemWidth, kItemHeight, kUntouched);
    DrawOn(canvas, 0, ODS_SELECTED | ODS_FOCUS);
    EXPECT_EQ(drawAnswer, TRUE);
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(kItemWidth - 1, kItemHeight / 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(kItemWidth / 2, kItemHeight - 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(kItemWidth - 5, kItemHeight / 2), kSelectedItemFill);
    EXPECT_TRUE(canvas.Contains(GetSysColor(COLOR_HIGHLIGHTTEXT)));
}

TEST_F(AnswerListTest, PlainItemIsProgramColouredOnTheBackgroundAndCentred) {
    answers.Append(L"9000");
    Canvas canvas(kItemWidth, kItemHeight, kUntouched);
    DrawOn(canvas, 0, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), kWhite);
    EXPECT_EQ(canvas.Pixel(kItemWidth - 1, kItemHeight - 1), kWhite);
    EXPECT_TRUE(canvas.Contains(kProgramTextColour));
    EXPECT_FALSE(canvas.Contains(kUntouched));
    const auto [top, bottom] = canvas.InkRows(kWhite);
    ASSERT_GE(top, 0);
    // Ink sits in the middle: the gaps above and below differ by a few pixels at most.
    EXPECT_NEAR(top, kItemHeight - 1 - bottom, 4) << "ink rows " << top << " to " << bottom;
}

TEST_F(AnswerListTest, LongTextIsCutBeforeTheItemsEdge) {
    answers.Append(std::wstring(200, L'W'));
    Canvas canvas(kItemWidth, kItemHeight, kUntouched);
    DrawOn(canvas, 0, 0);
    const int right = canvas.InkRight(kWhite);
    EXPECT_GT(right, kItemWidth / 2);
    EXPECT_LT(right, kItemWidth - 10);  // the last characters gave way to " ... "
}

TEST_F(AnswerListTest, ItemWithoutTextDrawsNothing) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"added elsewhere"));
    Canvas canvas(kItemWidth, kItemHeight, kUntouched);
    DrawOn(canvas, 0, ODS_SELECTED | ODS_FOCUS);
    DrawOn(canvas, -1, ODS_FOCUS);  // focus in an empty spot
    EXPECT_EQ(drawAnswer, TRUE);
    EXPECT_FALSE(canvas.Contains(kSelectedItemFill));
    EXPECT_FALSE(canvas.Contains(RGB(255, 0, 0)));
    EXPECT_EQ(canvas.Pixel(kItemWidth / 2, kItemHeight / 2), kUntouched);
}

TEST_F(AnswerListTest, ListPaintsItsItemsOnScreen) {
    answers.Append(L"first");
    answers.Append(L"second");
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const RECT selected = ItemRect(1);
    HDC dc = GetDC(list);
    const COLORREF pixel = GetPixel(dc, selected.right - 4, (selected.top + selected.bottom) / 2);
    ReleaseDC(list, dc);
    EXPECT_EQ(pixel, kSelectedItemFill);
}

// Two lists of one window: each draws its own items through the window, one
// going leaves the other drawing, and the window gets its own procedure back
// with the last list.
TEST(AnswerListHolder, ListsShareTheirWindowUntilTheLastGoes) {
    const HWND host = TestHostWindow();
    const LONG_PTR original = GetWindowLongPtrW(host, GWLP_WNDPROC);
    const DWORD style = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    ChildControl firstBox(L"LISTBOX", style, RECT{10, 10, 210, 110}, 901);
    ChildControl secondBox(L"LISTBOX", style, RECT{10, 120, 210, 220}, 902);
    auto drawn = [&](HWND box) {
        Canvas canvas(kItemWidth, kItemHeight, kUntouched);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_LISTBOX;
        item.CtlID = static_cast<UINT>(GetDlgCtrlID(box));
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = ODS_SELECTED;
        item.hwndItem = box;
        item.hDC = canvas.Dc();
        item.rcItem = RECT{0, 0, kItemWidth, kItemHeight};
        const LRESULT answer = SendMessageW(host, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        return answer == TRUE && canvas.Pixel(kItemWidth - 2, kItemHeight / 2) == kSelectedItemFill;
    };
    {
        AnswerList second;
        {
            AnswerList first;
            ASSERT_TRUE(first.SubclassWindow(firstBox));
            ASSERT_TRUE(second.SubclassWindow(secondBox));
            first.Append(L"one");
            second.Append(L"two");
            EXPECT_TRUE(drawn(firstBox));
            EXPECT_TRUE(drawn(secondBox));
        }
        EXPECT_FALSE(drawn(firstBox));
        EXPECT_TRUE(drawn(secondBox));
        EXPECT_NE(GetWindowLongPtrW(host, GWLP_WNDPROC), original);
    }
    EXPECT_EQ(GetWindowLongPtrW(host, GWLP_WNDPROC), original);
}
