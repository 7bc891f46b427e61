// Control subclassing: a control wrapper object sees the control's messages
// before the control does. The wrapper's procedure replaces the control's and
// the link from window to wrapper is kept in this process, so a message costs
// no window-property lookup (a wineserver round trip each under Wine, two per
// message with comctl32's SetWindowSubclass).
#pragma once

#include <windows.h>

#include "vantrel/framework/window.h"

class SubclassedControl : public Window {
public:
    SubclassedControl() = default;
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;
    virtual ~SubclassedControl() { Detach(); }

    // Binds the wrapper to the dialog's control `id` and starts seeing its messages.
    bool Subclass(HWND dialog, int id) { return SubclassWindow(GetDlgItem(dialog, id)); }
    // Fails for no window, another process's window, or one another wrapper holds.
    virtual bool SubclassWindow(HWND control);
    // Stops seeing messages. The control's own procedure is put back unless
    // someone subclassed it after us; then ours stays and only passes messages on.
    void Detach();

protected:
    // Returns true when the message was handled (and not passed on).
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // The control's procedure as it was before the wrapper.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
