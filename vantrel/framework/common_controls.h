// Typed messages of the common controls a panel drives, so that panels send
// none of them raw.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "vantrel/framework/window.h"

class EditControl : public Window {
public:
    using Window::Window;
    // The modified flag: set when the operator types, cleared by the program.
    bool IsModified() const { return Send(EM_GETMODIFY) != 0; }
    void SetModified(bool modified) const { Send(EM_SETMODIFY, modified); }
    void LimitText(int characters) const { Send(EM_SETLIMITTEXT, static_cast<WPARAM>(characters)); }
    // Where the text goes inside the client area.
    RECT FormattingRect() const {
        RECT format{};
        Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return format;
    }
};

class IpAddressControl : public Window {
public:
    using Window::Window;
    // MAKEIPADDRESS order: the first octet in the high byte.
    DWORD Address() const {
        DWORD address = 0;
        Send(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
        return address;
    }
    void SetAddress(DWORD address) const { Send(IPM_SETADDRESS, 0, static_cast<LPARAM>(address)); }
};

class DateTimePicker : public Window {
public:
    using Window::Window;
    SYSTEMTIME Time() const {
        SYSTEMTIME time{};
        Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
        return time;
    }
    void SetTime(const SYSTEMTIME& time) const { Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)); }
};

// A child control's id as CreateWindowEx takes it.
inline HMENU ChildId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// The control a WM_COMMAND, WM_CTLCOLOR* or scroll message names in lParam.
inline HWND ControlOf(LPARAM lParam) { return reinterpret_cast<HWND>(lParam); }
// The window a WM_SETCURSOR message is about, in wParam.
inline HWND CursorWindowOf(WPARAM wParam) { return reinterpret_cast<HWND>(wParam); }
// The device context a WM_CTLCOLOR* message hands over in wParam.
inline HDC DcOf(WPARAM wParam) { return reinterpret_cast<HDC>(wParam); }
