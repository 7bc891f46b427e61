// Keeps Wine's cache of window device contexts full. A control's painting
// takes a cached DC and leaves it bound to the control; when the control is
// hidden or destroyed, Wine releases that DC at a display check of three
// server round trips. With the cache full (every entry bound to a window of
// its own that never moves), painting reuses one spare entry instead, and a
// panel switch releases one DC rather than one per control.
#pragma once

#include <windows.h>

#include <vector>

class DcCacheKeeper {
public:
    DcCacheKeeper() = default;
    DcCacheKeeper(const DcCacheKeeper&) = delete;
    DcCacheKeeper& operator=(const DcCacheKeeper&) = delete;
    ~DcCacheKeeper();

    // Takes up to `count` more of the DCs the cache needs; true while more
    // are needed. Idle time fills the cache a few at a time, so that a
    // message that arrives meanwhile waits for a few DCs only.
    bool FillSome(std::size_t count);
    bool Full() const { return full_; }

private:
    HWND keeper_ = nullptr;
    // Held until all are taken, so that each is an entry of its own.
    std::vector<HDC> held_;
    bool full_ = false;
};
