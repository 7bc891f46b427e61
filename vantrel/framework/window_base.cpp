#include "vantrel/framework/window_base.h"

#include "vantrel/framework/exception_barrier.h"

WindowBase::~WindowBase() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool WindowBase::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                        const RECT& rect, HWND parent, HMENU menuOrId, UINT classStyle,
                        HBRUSH background, HICON icon) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(instance, className, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.hIcon = icon;
        // The system takes the small size from the icon's own resource.
        wc.hIconSm = nullptr;
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc)) return false;
    }
    HWND hwnd = CreateWindowExW(exStyle, className, title, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                                instance, this);
    return hwnd != nullptr;
}

bool WindowBase::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT WindowBase::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<WindowBase*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    const bool completed = ExceptionBarrier(L"window procedure", [&] {
        if (!self->HandleMessage(message, wParam, lParam, result)) {
            result = self->DefaultProc(message, wParam, lParam);
        }
    });
    if (!completed) result = DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
    }
    return result;
}
