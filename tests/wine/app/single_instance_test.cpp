#include <gtest/gtest.h>

#include <windows.h>

#include "vantrel/app/registry_settings.h"
#include "vantrel/app/settings.h"

namespace {

class Process {
public:
    explicit Process(const wchar_t* commandLine) {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        std::wstring line = commandLine;
        started_ = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &si, &info_) != FALSE;
    }
    ~Process() {
        if (!started_) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool Started() const { return started_; }
    bool WaitExit(DWORD ms) const { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

HWND WaitForMainWindow(DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        if (HWND hwnd = FindWindowW(L"VantrelMainFrame", nullptr)) return hwnd;
        Sleep(100);
    }
    return nullptr;
}

int CountMainWindows() {
    int count = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"VantrelMainFrame", nullptr); w != nullptr;
         w = FindWindowExW(nullptr, w, L"VantrelMainFrame", nullptr)) {
        ++count;
    }
    return count;
}

int32_t StoredCard() {
    ProgramSettings settings;
    LoadSettings(settings);
    return settings.curCard;
}

}  // namespace

TEST(SingleInstance, SecondStartEndsAtOnceAndLeavesTheFirstAndTheSettingsAlone) {
    ProgramSettings stored;
    stored.curCard = 4;
    stored.comPort = 3;
    SaveSettings(stored);

    Process first(L"Vantrel.exe");
    ASSERT_TRUE(first.Started());
    HWND window = WaitForMainWindow(20000);
    ASSERT_NE(window, nullptr);

    Process second(L"Vantrel.exe");
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.WaitExit(20000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(CountMainWindows(), 1);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(first.WaitExit(0));
    EXPECT_EQ(StoredCard(), 4);

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.WaitExit(20000));
    ProgramSettings after;
    LoadSettings(after);
    EXPECT_EQ(after.curCard, 4);
    EXPECT_EQ(after.comPort, 3);
}
