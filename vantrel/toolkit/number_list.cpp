#include "vantrel/toolkit/number_list.h"

#include <string>

void NumberList::Fill(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n) numbers.push_back(n);
    Fill(numbers, 0);
}

void NumberList::Fill(const std::vector<int>& numbers, int selectedIndex) {
    // Every added item would repaint the drop-down's list (a server round
    // trip each under Wine): the list stops drawing while it fills and sets
    // its scroll bar once. A hidden list is left alone: turning drawing back
    // on may show a window.
    const bool suspend = HasVisibleStyle();
    if (suspend) Send(WM_SETREDRAW, FALSE);
    Send(CB_RESETCONTENT);
    for (int n : numbers) {
        const std::wstring text = std::to_wstring(n);
        const LRESULT index = Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0) Send(CB_SETITEMDATA, static_cast<WPARAM>(index), n);
    }
    if (suspend) Send(WM_SETREDRAW, TRUE);
    // Selected with drawing on: the box shows its new choice.
    Select(selectedIndex);
}

int NumberList::Selected() const {
    const LRESULT index = Send(CB_GETCURSEL);
    if (index == CB_ERR) return -1;
    return static_cast<int>(Send(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}
