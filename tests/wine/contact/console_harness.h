// A command console panel (CPU card, SAM, pass-through, T=CL) over a
// scripted reader, with a program folder of its own for its history file.
#pragma once

#include <string>

#include "support/history_harness.h"
#include "support/list_helpers.h"

template <typename Panel>
class ConsoleHarness : public HistoryHarness<Panel> {
public:
    // `historyFile` as the panel names it: L"\\cpubooks.txt"; `history` what
    // it holds when the panel opens. `extra` goes to the panel.
    template <typename... Extra>
    ConsoleHarness(const std::wstring& historyFile, const std::string& history = {}, Extra&&... extra)
        : HistoryHarness<Panel>(historyFile.substr(1), history, std::forward<Extra>(extra)...) {}
};
