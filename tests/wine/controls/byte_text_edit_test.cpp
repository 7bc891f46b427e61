#include "vantrel/toolkit/byte_text_edit.h"

#include <gtest/gtest.h>

#include "controls/control_test_support.h"
#include "support/panel_harness.h"
#include "vantrel/framework/window.h"

namespace {

class ByteTextEditTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(edit.SubclassWindow(control)); }
    std::wstring Text() const { return Window(control).Text(); }
    void SetText(const wchar_t* text) { SetWindowTextW(control, text); }
    void SelectAll() { SendMessageW(control, EM_SETSEL, 0, -1); }

    TestEditControl control;
    ByteTextEdit edit;
};

}  // namespace

TEST_F(ByteTextEditTest, TypedHexDigitsArriveWithLettersInLowerCase) {
    TypeInto(control, L"AbC1");
    EXPECT_EQ(Text(), L"abc1");
    TypeInto(control, L"g G-.\t");
    EXPECT_EQ(Text(), L"abc1");
    TypeInto(control, L"Ff09");
    EXPECT_EQ(Text(), L"abc1ff09");
}

TEST_F(ByteTextEditTest, BackspaceDeleteAndSideArrowsEditTheText) {
    TypeInto(control, L"12ab");
    TypeInto(control, L"\b");
    EXPECT_EQ(Text(), L"12a");
    PressKey(control, VK_LEFT);
    PressKey(control, VK_DELETE);
    EXPECT_EQ(Text(), L"12");
    PressKey(control, VK_HOME);  // swallowed: the caret stays at the end
    TypeInto(control, L"3");
    EXPECT_EQ(Text(), L"123");
}

TEST_F(ByteTextEditTest, LockedEditRefusesTypingPasteAndCutButCopies) {
    SetText(L"A1B2");
    edit.SetLocked(true);
    TypeInto(control, L"cd\b");
    PressKey(control, VK_DELETE);
    EXPECT_EQ(Text(), L"A1B2");

    SetClipboardText(L"before");
    SelectAll();
    PressWithCtrl(control, L'C');
    EXPECT_EQ(ClipboardText(), L"A1B2");

    SetClipboardText(L"ff");
    SelectAll();
    PressWithCtrl(control, L'V');
    PressWithCtrl(control, L'X');
    EXPECT_EQ(Text(), L"A1B2");
    EXPECT_EQ(ClipboardText(), L"ff");

    // Unlocked, the same keys paste.
    edit.SetLocked(false);
    SelectAll();
    PressWithCtrl(control, L'V');
    EXPECT_EQ(Text(), L"ff");
}

TEST_F(ByteTextEditTest, ReadOnlyEditIsLockedAndStillCopies) {
    SetText(L"0102");
    edit.SetReadOnly();
    EXPECT_TRUE(edit.IsReadOnly());
    EXPECT_TRUE(edit.IsLocked());
    EXPECT_NE(GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY, 0);
    TypeInto(control, L"ff");
    SelectAll();
    PressWithCtrl(control, L'V');
    EXPECT_EQ(Text(), L"0102");
    SelectAll();
    PressWithCtrl(control, L'C');
    EXPECT_EQ(ClipboardText(), L"0102");
}

TEST_F(ByteTextEditTest, BytesGoInAsUpperCaseHexAndComeBackInPairs) {
    edit.SetDword(258);
    EXPECT_EQ(Text(), L"02010000");
    const uint8_t bytes[] = {0x00, 0x0F, 0xA0, 0xFF};
    edit.SetBytes(bytes, 4);
    EXPECT_EQ(Text(), L"000FA0FF");
    edit.SetBytes(nullptr, 4);
    EXPECT_EQ(Text(), L"000FA0FF");
    EXPECT_EQ(edit.GetBytes(), (Bytes{0x00, 0x0F, 0xA0, 0xFF}));

    SetText(L"ABC");
    EXPECT_EQ(edit.ByteCount(), 1u);
    EXPECT_EQ(edit.GetBytes(), (Bytes{0xAB, 0x0C}));
    SetText(L"");
    EXPECT_EQ(edit.ByteCount(), 0u);
    EXPECT_TRUE(edit.GetBytes().empty());
}

TEST_F(ByteTextEditTest, ByteLimitStopsTypingAtTwiceTheBytes) {
    SendMessageW(control, EM_SETLIMITTEXT, 9, 0);
    EXPECT_EQ(edit.ByteLimit(), 5u);

    edit.SetByteLimit(2);
    EXPECT_EQ(edit.ByteLimit(), 2u);
    TypeInto(control, L"123456");
    EXPECT_EQ(Text(), L"1234");
    EXPECT_EQ(edit.ByteCount(), 2u);
}
