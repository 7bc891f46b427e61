#include "support/list_helpers.h"

#include "support/panel_harness.h"

std::vector<std::wstring> ListTexts(HWND list) {
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[32] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

std::vector<int> ListNumbers(HWND list) {
    std::vector<int> numbers;
    const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        numbers.push_back(static_cast<int>(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    }
    return numbers;
}

void Choose(HWND list, int index) {
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    PumpMessages();
}

void ChooseNumber(HWND list, int number) {
    const std::vector<int> numbers = ListNumbers(list);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (numbers[i] == number) Choose(list, static_cast<int>(i));
    }
}

std::vector<int> Range(int first, int last) {
    std::vector<int> values;
    for (int v = first; v <= last; ++v) values.push_back(v);
    return values;
}

std::vector<std::wstring> AnswerItems(HWND list) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto* text = reinterpret_cast<const std::wstring*>(SendMessageW(list, LB_GETITEMDATA, i, 0));
        items.push_back(text != nullptr ? *text : L"?");
    }
    return items;
}
