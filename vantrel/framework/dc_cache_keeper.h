// Keeps Wine's cache of window device contexts full. A control's painting
// takes a cached DC and leaves it bound to the control; when the control is
// hidden or destroyed, Wine releases that DC at a display check of three
// server round trips. With the cache full (every entry bound to a window of
// its own that never moves), painting reuses one spare entry instead, and a
// panel switch releases one DC rather than one per control.
#pragma once

#include <windows.h>

class DcCacheKeeper {
public:
    DcCacheKeeper() = default;
    DcCacheKeeper(const DcCacheKeeper&) = delete;
    DcCacheKeeper& operator=(const DcCacheKeeper&) = delete;
    ~DcCacheKeeper();

    // Fills the cache once; later calls do nothing.
    void Fill();

private:
    HWND keeper_ = nullptr;
};
