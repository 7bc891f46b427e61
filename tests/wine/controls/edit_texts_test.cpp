#include "vantrel/toolkit/edit_texts.h"

#include <gtest/gtest.h>

#include "controls/control_test_support.h"
#include "vantrel/framework/window.h"

namespace {

DWORD Selection(HWND edit) { return static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0)); }

}  // namespace

// Edits of the group given no text are cleared, an edit that already shows
// its text keeps its selection, an edit outside the group is added; nothing
// changes before the group goes out of scope.
TEST(EditTexts, LeaveEachEditWithItsLastTextOnce) {
    TestEditControl cleared, kept, added;
    SetWindowTextW(cleared, L"12");
    SetWindowTextW(kept, L"34");
    SetWindowTextW(added, L"");
    SendMessageW(kept, EM_SETSEL, 0, 1);
    {
        EditTexts texts({cleared, kept});
        texts.Set(kept, L"99");
        texts.Set(kept, L"34");
        texts.Set(added, L"56");
        EXPECT_EQ(Window(cleared).Text(), L"12");
        EXPECT_EQ(Window(added).Text(), L"");
    }
    EXPECT_EQ(Window(cleared).Text(), L"");
    EXPECT_EQ(Window(kept).Text(), L"34");
    EXPECT_EQ(Selection(kept), MAKELONG(0, 1));
    EXPECT_EQ(Window(added).Text(), L"56");

    // Same length, other digits: still set.
    EXPECT_TRUE(Window(kept).SetTextIfChanged(L"35"));
    EXPECT_EQ(Window(kept).Text(), L"35");
    EXPECT_FALSE(Window(kept).SetTextIfChanged(L"35"));
}
