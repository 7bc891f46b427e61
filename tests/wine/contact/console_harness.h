// A command console panel (CPU card, SAM, pass-through) over a scripted
// reader, with a program folder of its own for its history file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/history_harness.h"

// The texts an answer list holds.
inline std::vector<std::wstring> AnswerItems(HWND list) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto* text = reinterpret_cast<const std::wstring*>(SendMessageW(list, LB_GETITEMDATA, i, 0));
        items.push_back(text != nullptr ? *text : L"?");
    }
    return items;
}

template <typename Panel>
class ConsoleHarness : public HistoryHarness<Panel> {
public:
    // `historyFile` as the panel names it: L"\\cpubooks.txt".
    explicit ConsoleHarness(const std::wstring& historyFile) : HistoryHarness<Panel>(historyFile.substr(1), {}) {}
};
