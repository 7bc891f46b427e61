// Controls for the tests of this folder: children of the test host window,
// keyboard combinations and the clipboard.
#pragma once

#include <windows.h>

#include <string>

// A window of a system class as a child of the test host, destroyed with the object.
class ChildControl {
public:
    ChildControl(const wchar_t* className, DWORD style, const RECT& rect, int id = 100);
    ~ChildControl();
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;
    operator HWND() const { return hwnd_; }

private:
    HWND hwnd_;
};

// An edit of the size the panels use, in the dialog font.
class TestEditControl : public ChildControl {
public:
    explicit TestEditControl(DWORD style = 0);
};

// Ctrl + `letter` ("C", "V", ...) as the keyboard sends it to the focus.
void PressWithCtrl(HWND control, wchar_t letter);
// A key that gives no character (arrows, Delete).
void PressKey(HWND control, UINT key);

std::wstring ClipboardText();
void SetClipboardText(const std::wstring& text);
