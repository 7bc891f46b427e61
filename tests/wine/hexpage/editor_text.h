// The text a hex page editor shows, its line breaks read as the blanks they
// stand for; typing into the editor and moving its page scroll bar.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>

#include "support/panel_harness.h"
#include "vantrel/framework/window.h"

inline std::wstring EditorText(HWND editor) {
    std::wstring text;
    for (wchar_t c : Window(editor).Text()) {
        if (c == L'\n') continue;
        text += c == L'\r' ? L' ' : c;
    }
    return text;
}

// Overtypes from character `position` of the page shown.
inline void TypeAt(HWND editor, int position, const std::wstring& digits) {
    CHARRANGE range{position, position};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    TypeInto(editor, digits);
}

// The panel's page scroll bar `bar` reports `code` (at `position` for the thumb).
inline void ScrollPageBar(HWND panel, HWND bar, int code, int position = 0) {
    SendMessageW(panel, WM_VSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(bar));
    PumpMessages();
}
