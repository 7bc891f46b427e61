#include "vantrel/toolkit/number_list.h"

#include <string>

void NumberList::Fill(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n) numbers.push_back(n);
    Fill(numbers, 0);
}

void NumberList::Fill(const std::vector<int>& numbers, int selectedIndex) {
    Send(CB_RESETCONTENT);
    for (int n : numbers) {
        const std::wstring text = std::to_wstring(n);
        const LRESULT index = Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0) Send(CB_SETITEMDATA, static_cast<WPARAM>(index), n);
    }
    Select(selectedIndex);
}

int NumberList::Selected() const {
    const LRESULT index = Send(CB_GETCURSEL);
    if (index == CB_ERR) return -1;
    return static_cast<int>(Send(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}
