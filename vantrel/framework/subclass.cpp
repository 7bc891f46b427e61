#include "vantrel/framework/subclass.h"

#include <commctrl.h>

#include "vantrel/framework/exception_barrier.h"

namespace {
constexpr UINT_PTR kSubclassId = 0x5641;  // one subclass of ours per control
}

bool SubclassedControl::SubclassWindow(HWND control) {
    Detach();
    if (control == nullptr) return false;
    hwnd_ = control;
    return SetWindowSubclass(control, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void SubclassedControl::Detach() {
    if (hwnd_ != nullptr) {
        RemoveWindowSubclass(hwnd_, Proc, kSubclassId);
        hwnd_ = nullptr;
    }
}

LRESULT CALLBACK SubclassedControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<SubclassedControl*>(data);
    LRESULT result = 0;
    bool handled = false;
    if (!ExceptionBarrier(L"control subclass",
                          [&] { handled = self->HandleMessage(message, wParam, lParam, result); })) {
        handled = false;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, Proc, kSubclassId);
        self->hwnd_ = nullptr;
    }
    return handled ? result : DefSubclassProc(hwnd, message, wParam, lParam);
}
