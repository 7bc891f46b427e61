#include <gtest/gtest.h>

#include <richedit.h>

#include "editor_text.h"
#include "support/panel_harness.h"
#include "vantrel/toolkit/hex_page_editor.h"

namespace {

// An editor of 16 rows of 4 bytes over bytes 0, 1, 2, ... in the test host.
class HexPageEditorTest : public ::testing::Test {
protected:
    HexPageEditorTest() {
        HexPageEditor::LoadRichEdit();
        control = CreateWindowExW(0, L"RichEdit20W", L"",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_READONLY,
                                  10, 10, 200, 200, TestHostWindow(), nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        editor.SubclassWindow(control);
        editor.SetLayout(16, 4);
        editor.SetBold(true);
        Bytes bytes(128);
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i);
        editor.LoadText(bytes);
        editor.FitToPage(16, 4);
    }
    ~HexPageEditorTest() override { DestroyWindow(control); }

    std::wstring Shown() const { return EditorText(control); }
    int Caret() const {
        CHARRANGE range{};
        SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range.cpMin;
    }
    void Select(int from, int to) {
        CHARRANGE range{from, to};
        SendMessageW(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    void Key(UINT key) {
        SendMessageW(control, WM_KEYDOWN, key, 1);
        SendMessageW(control, WM_KEYUP, key, 0xC0000001);
    }
    CHARFORMAT2W FormatAt(int position) {
        Select(position, position + 1);
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof(cf);
        SendMessageW(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    }

    HWND control = nullptr;
    HexPageEditor editor;
};

}  // namespace

TEST_F(HexPageEditorTest, DigitsOvertypeWhileOtherKeysOnlyMoveTheCaret) {
    EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(Shown().substr(0, 12), L"00 01 02 03 ");

    Select(15, 15);  // first digit of byte 5
    TypeInto(control, L"5g ");
    EXPECT_EQ(Shown().substr(15, 3), L"55 ");
    EXPECT_EQ(Caret(), 16);
    EXPECT_EQ(editor.ChangedBytes(), (Bytes{0x55}));
    EXPECT_EQ(editor.FirstChangedRow(), 1);

    // The second digit jumps the caret over the blank to the next byte.
    TypeInto(control, L"a");
    EXPECT_EQ(Shown().substr(15, 3), L"5a ");
    EXPECT_EQ(Caret(), 18);
    // On a blank a digit only moves the caret.
    Select(20, 20);
    TypeInto(control, L"7");
    EXPECT_EQ(Caret(), 21);
    EXPECT_EQ(Shown().substr(18, 6), L"06 07 ");

    // Backspace moves left and deletes nothing; Delete, Home and keypad 7 do nothing.
    Key(VK_BACK);
    EXPECT_EQ(Caret(), 20);
    Select(0, 0);
    Key(VK_BACK);
    EXPECT_EQ(Caret(), 0);
    const std::wstring before = Shown();
    for (UINT key : {VK_DELETE, VK_HOME, VK_END, VK_NUMPAD7, VK_RETURN}) Key(key);
    EXPECT_EQ(Shown(), before);
    // Keypad 1 to 6 reach the control as digits 'a' to 'f'.
    Select(1, 1);
    SendMessageW(control, WM_KEYDOWN, VK_NUMPAD3, 1);
    SendMessageW(control, WM_CHAR, L'3', 1);
    EXPECT_EQ(Shown().substr(0, 3), L"03 ");

    // The down arrow never leaves the page shown.
    Select(16 * 12 - 2, 16 * 12 - 2);
    Key(VK_DOWN);
    EXPECT_LT(Caret(), 16 * 12);
    // Releasing the mouse leaves a caret at the end of the selection.
    Select(3, 9);
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    CHARRANGE range{};
    SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.cpMin, range.cpMax);
}

TEST_F(HexPageEditorTest, ProtectedBytesStayGreyAndRefuseTyping) {
    editor.AddProtectedRange(2, 3);
    editor.AddProtectedRange(70, 71);  // on page 1
    CHARFORMAT2W grey = FormatAt(2 * 3);
    EXPECT_EQ(grey.crTextColor, RGB(128, 128, 128));
    EXPECT_TRUE(grey.dwEffects & CFE_BOLD);
    EXPECT_FALSE(grey.dwEffects & CFE_AUTOCOLOR);
    EXPECT_TRUE(FormatAt(4 * 3).dwEffects & CFE_AUTOCOLOR);
    EXPECT_TRUE(FormatAt(4 * 3).dwEffects & CFE_BOLD);

    Select(3 * 3 + 1, 3 * 3 + 1);
    TypeInto(control, L"9");
    EXPECT_EQ(Shown().substr(6, 6), L"02 03 ");
    EXPECT_EQ(Caret(), 10);
    EXPECT_TRUE(editor.ChangedBytes().empty());

    // A typed digit next to the range keeps the range grey.
    Select(4 * 3, 4 * 3);
    TypeInto(control, L"f");
    EXPECT_EQ(FormatAt(2 * 3).crTextColor, RGB(128, 128, 128));

    // Page 1 greys its own range and keeps the caret's offset.
    Select(5, 5);
    editor.ShowPage(1);
    EXPECT_EQ(Shown().substr(0, 3), L"40 ");
    EXPECT_EQ(Caret(), 5);
    EXPECT_EQ(FormatAt((70 - 64) * 3).crTextColor, RGB(128, 128, 128));
    EXPECT_TRUE(FormatAt(0).dwEffects & CFE_AUTOCOLOR);
    editor.ShowPage(2);
    editor.ShowPage(-1);
    EXPECT_EQ(editor.CurrentPage(), 1);
}
