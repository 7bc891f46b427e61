// A command console panel (CPU card, SAM, pass-through) over a scripted
// reader, with a program folder of its own for its history file.
#pragma once

#include <string>

#include "support/history_harness.h"
#include "support/list_helpers.h"

template <typename Panel>
class ConsoleHarness : public HistoryHarness<Panel> {
public:
    // `historyFile` as the panel names it: L"\\cpubooks.txt".
    explicit ConsoleHarness(const std::wstring& historyFile) : HistoryHarness<Panel>(historyFile.substr(1), {}) {}
};
