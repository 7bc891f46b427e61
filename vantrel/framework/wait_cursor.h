// The hourglass while a long command runs, the arrow again after it.
#pragma once

#include <windows.h>

class WaitCursor {
public:
    WaitCursor() { SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }
};
