// Times the hex page editor on the largest card (AT24C64, 8,192 bytes): a
// typed digit from key-down to the repainted control, and a page switch from
// the scroll message to the repainted panel. Prints median and range of each.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "vantrel/panels/contact/at24c_ids.h"
#include "vantrel/panels/contact/at24c_panel.h"
#include "vantrel/toolkit/panel_context.h"

namespace {

constexpr int kRuns = 40;

class QuietServices : public PanelServices {
public:
    void ClearLog() override {}
    void AddLogLine(const std::wstring&, int32_t) override {}
    void ShowStatus(const std::wstring&) override {}
    void ShowConnectionTarget() override {}
    int ShowMessageBox(HWND, const std::wstring&, const std::wstring&, UINT) override { return IDOK; }
    void Beep(UINT) override {}
    void Wait(DWORD) override {}
    SYSTEMTIME LocalTime() override { return {}; }
    std::wstring ProgramFolder() override { return L"."; }
};

HWND HostWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HexPageBenchHost";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           1280, 1000, nullptr, nullptr, wc.hInstance, nullptr);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

template <typename Action>
double Milliseconds(Action action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-34s median %6.2f ms, range %6.2f .. %6.2f ms (%zu runs)\n", what,
                times[times.size() / 2], times.front(), times.back(), times.size());
}

}  // namespace

int main() {
    ReaderLibrary reader;
    ReaderConnection connection;
    QuietServices services;
    PanelContext context{reader, connection, services};
    CAt24cPanel panel(context, 19);
    if (!panel.CreateModeless(HostWindow())) return 1;
    panel.Show(SW_SHOW);
    Pump();
    HWND editor = GetDlgItem(panel, IDC_AT24_EDITOR);
    HWND bar = GetDlgItem(panel, IDC_AT24_PAGE_BAR);
    SetFocus(editor);

    std::vector<double> keystrokes;
    for (int run = 0; run < kRuns; ++run) {
        const int position = (run * 37 % 256) * 3;
        CHARRANGE range{position, position};
        SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        Pump();
        keystrokes.push_back(Milliseconds([&] {
            SendMessageW(editor, WM_KEYDOWN, '5', 1);
            SendMessageW(editor, WM_CHAR, L'5', 1);
            SendMessageW(editor, WM_KEYUP, '5', 0xC0000001);
            UpdateWindow(editor);
        }));
    }
    std::vector<double> switches;
    for (int run = 0; run < kRuns; ++run) {
        const WPARAM step = run % 2 == 0 ? SB_LINEDOWN : SB_LINEUP;
        switches.push_back(Milliseconds([&] {
            SendMessageW(panel, WM_VSCROLL, MAKEWPARAM(step, 0), reinterpret_cast<LPARAM>(bar));
            UpdateWindow(panel);
            UpdateWindow(editor);
        }));
    }
    Report("keystroke to repainted caret", keystrokes);
    Report("page switch to repainted page", switches);
    panel.Destroy();
    return 0;
}
