#include "vantrel/framework/subclass.h"

#include <unordered_map>

#include "vantrel/framework/exception_barrier.h"

namespace {

struct Link {
    SubclassedControl* wrapper;  // none once detached while still in the chain
    WNDPROC previous;
};

// The windows whose procedure is ours. Windows belong to the thread that
// made them; the program makes all of its windows on one thread.
std::unordered_map<HWND, Link>& Links() {
    static std::unordered_map<HWND, Link> links;
    return links;
}

}  // namespace

bool SubclassedControl::SubclassWindow(HWND control) {
    Detach();
    if (control == nullptr || !IsWindow(control)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(control, &process);
    if (process != GetCurrentProcessId()) return false;
    auto [link, added] = Links().try_emplace(control, Link{this, nullptr});
    if (!added) {
        // Still ours from a detached wrapper: take the link over.
        if (link->second.wrapper != nullptr) return false;
        link->second.wrapper = this;
    } else {
        SetLastError(0);
        const auto previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedControl::Proc)));
        if (previous == nullptr && GetLastError() != 0) {
            Links().erase(link);
            return false;
        }
        link->second.previous = previous;
    }
    hwnd_ = control;
    return true;
}

void SubclassedControl::Detach() {
    if (hwnd_ == nullptr) return;
    const auto link = Links().find(hwnd_);
    if (link != Links().end() && link->second.wrapper == this) {
        const auto ours = reinterpret_cast<LONG_PTR>(&SubclassedControl::Proc);
        if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == ours) {
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link->second.previous));
            Links().erase(link);
        } else {
            link->second.wrapper = nullptr;
        }
    }
    hwnd_ = nullptr;
}

LRESULT SubclassedControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto link = Links().find(hwnd_);
    if (link == Links().end()) return DefWindowProcW(hwnd_, message, wParam, lParam);
    return CallWindowProcW(link->second.previous, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = Links().find(hwnd);
    if (found == Links().end()) return DefWindowProcW(hwnd, message, wParam, lParam);
    // A copy: the handler may detach the wrapper or bind another.
    const Link link = found->second;
    LRESULT result = 0;
    bool handled = false;
    if (link.wrapper != nullptr &&
        !ExceptionBarrier(L"control subclass",
                          [&] { handled = link.wrapper->HandleMessage(message, wParam, lParam, result); })) {
        handled = false;
    }
    if (!handled) result = CallWindowProcW(link.previous, hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const auto still = Links().find(hwnd);
        if (still != Links().end()) {
            if (still->second.wrapper != nullptr) still->second.wrapper->hwnd_ = nullptr;
            Links().erase(still);
        }
    }
    return result;
}
