// Checks the default choice of a radio group in a new panel, whose buttons
// all start unchecked. Checking an automatic radio button makes Wine walk the
// whole group to uncheck the others, asking the server about every sibling
// window on the way (about 170 requests on an 85-control panel); the button
// is checked as a plain radio button instead, which leaves the group alone.
#pragma once

#include <windows.h>

inline void CheckFirstChoice(HWND button) {
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    if ((style & BS_TYPEMASK) != BS_AUTORADIOBUTTON) {
        SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
        return;
    }
    SetWindowLongPtrW(button, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_RADIOBUTTON);
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    // The check may have changed the tab stop: keep that, restore the type.
    const LONG_PTR checked = GetWindowLongPtrW(button, GWL_STYLE);
    SetWindowLongPtrW(button, GWL_STYLE, (checked & ~BS_TYPEMASK) | BS_AUTORADIOBUTTON);
}
