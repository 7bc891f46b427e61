#include "vantrel/framework/dc_cache_keeper.h"

namespace {

// More than Wine keeps before it reuses an entry that is not in use.
constexpr std::size_t kCachedDcs = 72;

}  // namespace

DcCacheKeeper::~DcCacheKeeper() {
    for (HDC dc : held_) ReleaseDC(keeper_, dc);
    if (keeper_ != nullptr) DestroyWindow(keeper_);
}

bool DcCacheKeeper::FillSome(std::size_t count) {
    if (full_) return false;
    if (keeper_ == nullptr) {
        // A message-only window: nothing that moves or hides ever covers it,
        // so the entries bound to it stay bound.
        keeper_ = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        if (keeper_ == nullptr) {
            full_ = true;  // nothing to bind them to: painting goes on as before
            return false;
        }
    }
    for (; count > 0 && held_.size() < kCachedDcs; --count) {
        HDC dc = GetDCEx(keeper_, nullptr, DCX_CACHE);
        if (dc == nullptr) break;
        held_.push_back(dc);
    }
    if (held_.size() < kCachedDcs && count == 0) return true;
    for (HDC dc : held_) ReleaseDC(keeper_, dc);
    held_.clear();
    full_ = true;
    return false;
}
