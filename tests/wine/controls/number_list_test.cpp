#include "vantrel/toolkit/number_list.h"

#include <gtest/gtest.h>

#include "controls/control_test_support.h"

namespace {

HWND DropDownOf(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    return GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
}

bool HasScrollBar(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL) != 0; }

}  // namespace

// Filling replaces the items and the choice; the drop-down's scroll bar
// follows the new item count (drawing is back on after the fill), and
// neither a shown nor a hidden box changes visibility.
TEST(NumberList, FillReplacesItemsAndChoiceAndLeavesVisibilityAlone) {
    ChildControl combo(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, RECT{10, 10, 110, 200});
    NumberList list;
    list.Attach(combo);
    HWND dropDown = DropDownOf(combo);
    ASSERT_NE(dropDown, nullptr);

    list.Fill(0, 15);
    EXPECT_EQ(list.Send(CB_GETCOUNT), 16);
    EXPECT_EQ(list.Selected(), 0);
    EXPECT_EQ(list.Send(CB_GETITEMDATA, 15), 15);
    EXPECT_TRUE(HasScrollBar(dropDown));

    list.Fill({3, 7, 9}, 2);
    EXPECT_EQ(list.Send(CB_GETCOUNT), 3);
    EXPECT_EQ(list.Selected(), 9);
    EXPECT_EQ(list.Text(), L"9");
    EXPECT_FALSE(HasScrollBar(dropDown));
    EXPECT_TRUE(IsWindowVisible(combo));
    EXPECT_FALSE(IsWindowVisible(dropDown));

    ShowWindow(combo, SW_HIDE);
    list.Fill(1, 4);
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_FALSE(IsWindowVisible(combo));
    EXPECT_FALSE(IsWindowVisible(dropDown));
}
