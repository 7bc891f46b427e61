#include "leaks/platform_leaks.h"

#include <cmath>

#include "leaks/gui_resources.h"

namespace {

constexpr int kSamples = 4;

BOOL CALLBACK CountClass(HWND hwnd, LPARAM lParam) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    ++(*reinterpret_cast<std::map<std::wstring, long>*>(lParam))[name];
    return TRUE;
}

void CreateAndDestroy(const std::wstring& className, HWND parent) {
    HWND control = CreateWindowExW(0, className.c_str(), L"", WS_CHILD | WS_VISIBLE, 0, 0, 120, 24, parent,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    if (control != nullptr) DestroyWindow(control);
}

// GDI objects one bare instance of the class leaves behind.
double KeptPerInstance(const std::wstring& className, HWND parent) {
    CreateAndDestroy(className, parent);  // what is made once per class
    const DWORD before = CountGuiObjects().gdi;
    for (int i = 0; i < kSamples; ++i) CreateAndDestroy(className, parent);
    const DWORD after = CountGuiObjects().gdi;
    return after > before ? static_cast<double>(after - before) / kSamples : 0.0;
}

}  // namespace

void PlatformLeaks::CountControlsOf(HWND panel) {
    EnumChildWindows(panel, CountClass, reinterpret_cast<LPARAM>(&created_));
}

DWORD PlatformLeaks::KeptGdiObjects(HWND parent) {
    double kept = 0;
    for (const auto& [className, count] : created_) kept += KeptPerInstance(className, parent) * count;
    return static_cast<DWORD>(std::ceil(kept));
}
