#include "vantrel/framework/dc_cache_keeper.h"

#include <array>

namespace {

// More than Wine keeps before it reuses an entry that is not in use.
constexpr std::size_t kCachedDcs = 72;

}  // namespace

DcCacheKeeper::~DcCacheKeeper() {
    if (keeper_ != nullptr) DestroyWindow(keeper_);
}

void DcCacheKeeper::Fill() {
    if (keeper_ != nullptr) return;
    // A message-only window: nothing that moves or hides ever covers it, so
    // the entries bound to it stay bound.
    keeper_ = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (keeper_ == nullptr) return;
    // All held at once, so that each is an entry of its own.
    std::array<HDC, kCachedDcs> held{};
    for (HDC& dc : held) dc = GetDCEx(keeper_, nullptr, DCX_CACHE);
    for (HDC dc : held) {
        if (dc != nullptr) ReleaseDC(keeper_, dc);
    }
}
