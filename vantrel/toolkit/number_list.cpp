#include "vantrel/toolkit/number_list.h"

#include <string>

void NumberList::Fill(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n) numbers.push_back(n);
    Fill(numbers, 0);
}

void NumberList::Fill(const std::vector<int>& numbers, int selectedIndex) {
    std::vector<NumberedItem> items;
    for (int n : numbers) items.push_back({std::to_wstring(n), n});
    Fill(items, selectedIndex);
}

void NumberList::Fill(const std::vector<NumberedItem>& items, int selectedIndex) {
    // Every added item would repaint the drop-down's list (a server round
    // trip each under Wine): the list stops drawing while it fills and sets
    // its scroll bar once. A hidden list is left alone: turning drawing back
    // on may show a window.
    const bool suspend = HasVisibleStyle();
    if (suspend) Send(WM_SETREDRAW, FALSE);
    Send(CB_RESETCONTENT);
    for (const NumberedItem& item : items) {
        const LRESULT index = Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
        if (index >= 0) Send(CB_SETITEMDATA, static_cast<WPARAM>(index), item.number);
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
