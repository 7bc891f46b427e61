// A drop-down list whose items each carry a number: by default the number
// it shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "vantrel/framework/window.h"

struct NumberedItem {
    std::wstring text;
    int number;
};

class NumberList : public Window {
public:
    // Items first..last, the first one selected.
    void Fill(int first, int last);
    // Items `numbers`, the one at `selectedIndex` selected.
    void Fill(const std::vector<int>& numbers, int selectedIndex);
    // Items `items`, the one at `selectedIndex` selected.
    void Fill(const std::vector<NumberedItem>& items, int selectedIndex);
    // The selected item's number, -1 when none is selected.
    int Selected() const;
    void Select(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
};
