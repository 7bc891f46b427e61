#include "tools/bench/launch_timing.h"

#include <windows.h>

#include <cwchar>

#include "tools/bench/host/stopwatch.h"
#include "vantrel/framework/program_folder.h"

namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kAnswerTimeoutMs = 10000;
constexpr DWORD kCloseTimeoutMs = 20000;

struct ClassSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindByClass(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ClassSearch*>(lParam);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (wcscmp(name, search->className) != 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND ThreadWindow(DWORD thread, const wchar_t* className) {
    ClassSearch search{className, nullptr};
    EnumThreadWindows(thread, FindByClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Answers(HWND hwnd) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &result) != 0;
}

// Waits until `process` shows an answering main window; the time it was seen, or nothing.
std::optional<double> WaitForWindow(const PROCESS_INFORMATION& process, const LaunchTarget& target) {
    const ULONGLONG deadline = GetTickCount64() + kStartTimeoutMs;
    while (GetTickCount64() < deadline) {
        if (WaitForSingleObject(process.hProcess, 0) != WAIT_TIMEOUT) return std::nullopt;
        HWND main = ThreadWindow(process.dwThreadId, target.mainClass);
        const bool transientGone =
            target.transient == nullptr || ThreadWindow(process.dwThreadId, target.transient) == nullptr;
        // The splash is looked for again after the answer: one given before
        // the splash came up is not the end of the start-up.
        if (main != nullptr && IsWindowVisible(main) && transientGone && Answers(main) &&
            (target.transient == nullptr || ThreadWindow(process.dwThreadId, target.transient) == nullptr)) {
            return NowMs();
        }
        Sleep(1);
    }
    return std::nullopt;
}

void CloseProgram(const PROCESS_INFORMATION& process, const LaunchTarget& target) {
    HWND main = ThreadWindow(process.dwThreadId, target.mainClass);
    if (main != nullptr) PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kCloseTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, kCloseTimeoutMs);
    }
}

}  // namespace

std::optional<double> TimeLaunch(const LaunchTarget& target) {
    const std::wstring folder = ProgramFolder();
    std::wstring commandLine = L"\"" + folder + L"\\" + target.program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const double start = NowMs();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        return std::nullopt;
    }
    const std::optional<double> seen = WaitForWindow(process, target);
    CloseProgram(process, target);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!seen) return std::nullopt;
    return *seen - start;
}
