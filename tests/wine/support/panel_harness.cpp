#include "support/panel_harness.h"

#include <cwctype>

HWND TestHostWindow() {
    static HWND host = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VantrelTestHost";
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        RegisterClassW(&wc);
        HWND hwnd = CreateWindowExW(0, L"VantrelTestHost", L"test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                    0, 1280, 1000, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        return hwnd;
    }();
    return host;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void TypeInto(HWND control, const std::wstring& text) {
    SetFocus(control);
    for (wchar_t c : text) {
        const SHORT scan = VkKeyScanW(c);
        const UINT key = LOBYTE(scan);
        SendMessageW(control, WM_KEYDOWN, key, 1);
        SendMessageW(control, WM_CHAR, c, 1);
        SendMessageW(control, WM_KEYUP, key, 0xC0000001);
        PumpMessages();
    }
}
