// A command console panel (CPU card, SAM, pass-through) over a scripted
// reader, with a program folder of its own for its history file.
#pragma once

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "support/panel_harness.h"

inline std::filesystem::path NewHistoryFolder() {
    static std::atomic<int> counter{0};
    auto folder = std::filesystem::temp_directory_path() /
                  ("vantrel-console-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

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
class ConsoleHarness {
public:
    explicit ConsoleHarness(const std::wstring& historyFile)
        : services(&script), context{script.library, connection, services}, folder_(NewHistoryFolder()),
          historyFile_(folder_ / historyFile.substr(1)) {
        connection.open = true;
        services.folder = folder_.wstring();
        panel = std::make_unique<Panel>(context);
        panel->CreateModeless(TestHostWindow());
        panel->Show(SW_SHOW);
        PumpMessages();
        script.ClearLog();
    }
    ~ConsoleHarness() {
        Close();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Destroys the panel window, which saves the history.
    void Close() {
        if (panel && panel->IsValid()) panel->Destroy();
        PumpMessages();
    }
    std::string HistoryContent() const {
        std::ifstream file(historyFile_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    HWND Item(int id) const { return GetDlgItem(*panel, id); }
    std::wstring Text(int id) const { return Window(Item(id)).Text(); }
    void SetText(int id, const std::wstring& text) { SetDlgItemTextW(*panel, id, text.c_str()); }
    void Click(int id) {
        SendMessageW(Item(id), BM_CLICK, 0, 0);
        PumpMessages();
    }

    ScriptedReader script;
    FakeServices services;
    ReaderConnection connection;
    PanelContext context;
    std::unique_ptr<Panel> panel;

private:
    std::filesystem::path folder_;
    std::filesystem::path historyFile_;
};
