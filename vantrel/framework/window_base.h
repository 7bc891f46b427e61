// A window of a class the program registers: the object lives behind the
// handle from WM_NCCREATE to WM_NCDESTROY, and no exception leaves the window
// procedure.
#pragma once

#include <windows.h>

#include "vantrel/framework/window.h"

class WindowBase : public Window {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    // Registers `className` once (with `classStyle`, `background` and
    // `icon`) and creates the window.
    bool Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                const RECT& rect, HWND parent, HMENU menuOrId, UINT classStyle = 0,
                HBRUSH background = nullptr, HICON icon = nullptr);

protected:
    // Returns true when the message was handled; `result` is then returned.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, when the handle is gone.
    virtual void OnFinalMessage() {}

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
