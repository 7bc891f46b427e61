#include "vantrel/toolkit/framed_caption.h"

#include <gtest/gtest.h>

#include "controls/control_test_support.h"
#include "support/panel_harness.h"
#include "vantrel/framework/window.h"

// A group box is hidden whether its template showed it or not, and its frame
// takes over its text and place in the panel.
TEST(FramedCaption, ReplacesShownAndHiddenGroupBoxes) {
    ChildControl shown(L"BUTTON", BS_GROUPBOX, RECT{10, 20, 210, 120}, 301);
    ChildControl hidden(L"BUTTON", BS_GROUPBOX, RECT{10, 130, 210, 230}, 302);
    SetWindowTextW(shown, L"Purse");
    ShowWindow(hidden, SW_HIDE);
    const RECT where = Window(shown).RectIn(TestHostWindow());

    FramedCaption first, second;
    first.ReplaceGroupBox(TestHostWindow(), 301, RGB(1, 2, 3));
    second.ReplaceGroupBox(TestHostWindow(), 302, RGB(1, 2, 3));
    EXPECT_FALSE(IsWindowVisible(shown));
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(first.Text(), L"Purse");
    EXPECT_TRUE(EqualRect(&first.Rect(), &where));
    EXPECT_EQ(second.Rect().top, where.top + 110);
}
