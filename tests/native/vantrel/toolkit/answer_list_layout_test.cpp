#include "vantrel/toolkit/answer_list_layout.h"

#include <gtest/gtest.h>

#include <string>

TEST(AnswerListCut, TextThatFitsIsShownWhole) {
    EXPECT_EQ(CutItemText(L"9000", 28, 200), L"9000");
    EXPECT_EQ(CutItemText(L"9000", 200, 200), L"9000");  // exactly as wide as the item
    EXPECT_EQ(CutItemText(L"", 0, 0), L"");
}

TEST(AnswerListCut, WideTextKeepsItemWidthOverAverageWidthLessFiveCharacters) {
    const std::wstring text(100, L'a');
    // 7 pixels a character, 210 pixels: 30 characters fit, 25 are kept.
    EXPECT_EQ(CutItemText(text, 700, 210), std::wstring(25, L'a') + L" ... ");
    // The average is taken in whole pixels: 750 / 100 = 7.
    EXPECT_EQ(CutItemText(text, 750, 210), std::wstring(25, L'a') + L" ... ");
    EXPECT_EQ(CutItemText(L"abcdefghij", 100, 99), L"abcd ... ");
}

TEST(AnswerListCut, NarrowItemsKeepOnlyTheMark) {
    EXPECT_EQ(CutItemText(L"abcdefghij", 100, 50), L" ... ");  // 5 - 5 characters
    EXPECT_EQ(CutItemText(L"abcdefghij", 100, 20), L" ... ");  // fewer than none
    EXPECT_EQ(CutItemText(L"abcdefghij", 100, 0), L" ... ");
    EXPECT_EQ(CutItemText(L"abcdefghij", 100, -4), L" ... ");
    // Characters narrower than a pixel on average still count as one pixel.
    EXPECT_EQ(CutItemText(L"abcdefghij", 8, 7), L"ab ... ");
}

TEST(ListTipPlacement, BoxIsSizedFromTheFirstLineAndTheLineCount) {
    const PixelBox list{0, 0, 400, 300};
    EXPECT_EQ(TipBox(0, 32, 360, 3, 13, list), (PixelBox{0, 32, 366, 74}));
    EXPECT_EQ(TipBox(10, 0, 50, 1, 16, list), (PixelBox{10, 0, 66, 19}));
}

TEST(ListTipPlacement, BoxIsShiftedLeftAndUpToStayInsideTheList) {
    const PixelBox list{0, 0, 400, 300};
    EXPECT_EQ(KeepInside(PixelBox{350, 280, 450, 320}, list), (PixelBox{300, 260, 400, 300}));
    EXPECT_EQ(KeepInside(PixelBox{20, 30, 120, 70}, list), (PixelBox{20, 30, 120, 70}));
    // Larger than the list: it starts at the list's left and top edges.
    EXPECT_EQ(KeepInside(PixelBox{100, 100, 600, 500}, list), (PixelBox{0, 0, 500, 400}));
    EXPECT_EQ(TipBox(0, 288, 200, 3, 13, list), (PixelBox{0, 258, 206, 300}));
}
