// The text a hex page editor shows, its line breaks read as the blanks they
// stand for.
#pragma once

#include <windows.h>

#include <string>

#include "vantrel/framework/window.h"

inline std::wstring EditorText(HWND editor) {
    std::wstring text;
    for (wchar_t c : Window(editor).Text()) {
        if (c == L'\n') continue;
        text += c == L'\r' ? L' ' : c;
    }
    return text;
}
