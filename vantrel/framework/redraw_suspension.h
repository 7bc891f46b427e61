// Keeps a window and its children from drawing while many of them change,
// then repaints everything once (erase and frame included). A window that is
// not visible is left alone: turning drawing back on would show it.
#pragma once

#include <windows.h>

#include "vantrel/framework/window.h"

class RedrawSuspension {
public:
    explicit RedrawSuspension(HWND hwnd)
        : hwnd_(Window(hwnd).HasVisibleStyle() ? hwnd : nullptr) {
        if (hwnd_ != nullptr) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;
    ~RedrawSuspension() {
        if (hwnd_ == nullptr || !IsWindow(hwnd_)) return;
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        // Turning drawing back on leaves the frame to be painted too: it is
        // taken as drawn first when it is kept.
        if (!frame_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | (frame_ ? RDW_FRAME : 0) | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }

    // The frame (border, scroll bars) still shows what it showed: only the
    // client areas are painted again.
    void KeepFrame() { frame_ = false; }

private:
    HWND hwnd_;
    bool frame_ = true;
};
