#include "vantrel/toolkit/number_edit.h"

#include <gtest/gtest.h>

#include "controls/control_test_support.h"
#include "support/panel_harness.h"
#include "vantrel/framework/window.h"

namespace {

class NumberEditTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(edit.SubclassWindow(control)); }
    std::wstring Text() const { return Window(control).Text(); }

    TestEditControl control;
    NumberEdit edit;
};

}  // namespace

TEST_F(NumberEditTest, LettersAreRefusedDigitsAndSignsPass) {
    TypeInto(control, L"12abXZ-3.5");
    EXPECT_EQ(Text(), L"12-3.5");
}

TEST_F(NumberEditTest, KeypadDigitsArriveAsCharacters) {
    // The key-down of a keypad digit is refused; the message loop turns it
    // into its character, which passes.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_NUMLOCK] |= 1;
    SetKeyboardState(keys);
    SetFocus(control);
    const LPARAM down = 1 | (MapVirtualKeyW(VK_NUMPAD7, MAPVK_VK_TO_VSC) << 16);
    PostMessageW(control, WM_KEYDOWN, VK_NUMPAD7, down);
    PostMessageW(control, WM_KEYUP, VK_NUMPAD7, down | 0xC0000000);
    PumpMessages();
    EXPECT_EQ(Text(), L"7");
}

TEST_F(NumberEditTest, NumberIsReadUpToTheFirstOtherCharacter) {
    EXPECT_EQ(edit.GetNumber(), -1);
    edit.SetNumber(-5);
    EXPECT_EQ(Text(), L"-5");
    EXPECT_EQ(edit.GetNumber(), -5);
    SetWindowTextW(control, L"12.7");
    EXPECT_EQ(edit.GetNumber(), 12);
    edit.SetNumber(2147483647);
    EXPECT_EQ(edit.GetNumber(), 2147483647);
}
