// A panel harness with a program folder of its own, so that the panel's
// command history file starts as the test writes it and can be read back
// once the panel saved it.
#pragma once

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <utility>

#include "support/panel_harness.h"

inline std::filesystem::path NewProgramFolder() {
    static std::atomic<int> counter{0};
    auto folder = std::filesystem::temp_directory_path() /
                  ("vantrel-history-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(folder);  // left by an earlier run under the same process id
    std::filesystem::create_directories(folder);
    return folder;
}

template <typename Panel>
class HistoryHarness : public PanelHarness<Panel> {
public:
    // `historyFile`: its name in the program folder; `history`: what it holds
    // when the panel opens (no file when empty). `extra` goes to the panel.
    template <typename... Extra>
    HistoryHarness(const std::filesystem::path& historyFile, const std::string& history, Extra&&... extra)
        : PanelHarness<Panel>(typename PanelHarness<Panel>::Unopened{}),
          folder_(NewProgramFolder()),
          historyFile_(folder_ / historyFile) {
        this->services.folder = folder_.wstring();
        if (!history.empty()) std::ofstream(historyFile_, std::ios::binary) << history;
        this->Open(std::forward<Extra>(extra)...);
    }
    ~HistoryHarness() {
        Close();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Destroys the panel window, which saves the history.
    void Close() {
        if (this->panel && this->panel->IsValid()) this->panel->Destroy();
        PumpMessages();
    }
    const std::filesystem::path& HistoryFile() const { return historyFile_; }
    std::string HistoryContent() const {
        std::ifstream file(historyFile_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path folder_;
    std::filesystem::path historyFile_;
};
