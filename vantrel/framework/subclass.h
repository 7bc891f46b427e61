// Control subclassing through comctl32's SetWindowSubclass: a control wrapper
// object sees the control's messages before the control does.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "vantrel/framework/window.h"

class SubclassedControl : public Window {
public:
    SubclassedControl() = default;
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;
    virtual ~SubclassedControl() { Detach(); }

    // Binds the wrapper to the dialog's control `id` and starts seeing its messages.
    bool Subclass(HWND dialog, int id) { return SubclassWindow(GetDlgItem(dialog, id)); }
    virtual bool SubclassWindow(HWND control);
    void Detach();

protected:
    // Returns true when the message was handled (and not passed on).
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefSubclassProc(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR data);
};
