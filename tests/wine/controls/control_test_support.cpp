#include "controls/control_test_support.h"

#include <cstring>

#include "support/panel_harness.h"

namespace {

void SetCtrlState(bool down) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    const BYTE state = down ? 0x80 : 0x00;
    keys[VK_CONTROL] = keys[VK_LCONTROL] = state;
    SetKeyboardState(keys);
}

}  // namespace

ChildControl::ChildControl(const wchar_t* className, DWORD style, const RECT& rect, int id)
    : hwnd_(CreateWindowExW(WS_EX_CLIENTEDGE, className, L"", WS_CHILD | WS_VISIBLE | style,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            TestHostWindow(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr)) {
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
}

ChildControl::~ChildControl() {
    DestroyWindow(hwnd_);
    PumpMessages();
}

TestEditControl::TestEditControl(DWORD style)
    : ChildControl(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | style, RECT{10, 10, 310, 32}) {}

void PressWithCtrl(HWND control, wchar_t letter) {
    SetFocus(control);
    SetCtrlState(true);
    SendMessageW(control, WM_KEYDOWN, VK_CONTROL, 0x001D0001);
    SendMessageW(control, WM_KEYDOWN, letter, 1);
    SendMessageW(control, WM_CHAR, letter - L'A' + 1, 1);
    SendMessageW(control, WM_KEYUP, letter, 0xC0000001);
    SendMessageW(control, WM_KEYUP, VK_CONTROL, 0xC01D0001);
    SetCtrlState(false);
    PumpMessages();
}

void PressKey(HWND control, UINT key) {
    SetFocus(control);
    SendMessageW(control, WM_KEYDOWN, key, 1);
    SendMessageW(control, WM_KEYUP, key, 0xC0000001);
    PumpMessages();
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(TestHostWindow())) return L"<clipboard busy>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data)); chars != nullptr) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text) {
    if (!OpenClipboard(TestHostWindow())) return;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes); memory != nullptr) {
        if (void* chars = GlobalLock(memory); chars != nullptr) {
            memcpy(chars, text.c_str(), bytes);
            GlobalUnlock(memory);
            if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}
