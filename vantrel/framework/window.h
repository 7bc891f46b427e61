// A thin, non-owning handle wrapper: converts to HWND, one-line methods.
#pragma once

#include <windows.h>

#include <string>

class Window {
public:
    Window(HWND hwnd = nullptr) : hwnd_(hwnd) {}

    operator HWND() const { return hwnd_; }
    HWND Handle() const { return hwnd_; }
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    bool IsValid() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

    std::wstring Text() const;
    bool SetText(const std::wstring& text) const { return SetWindowTextW(hwnd_, text.c_str()) != FALSE; }
    // Sets the text unless the window already reads it (no repaint, caret
    // kept); true when it was set.
    bool SetTextIfChanged(const std::wstring& text) const;
    bool Show(int command = SW_SHOW) const { return ShowWindow(hwnd_, command) != FALSE; }
    bool Enable(bool enable = true) const { return EnableWindow(hwnd_, enable) != FALSE; }
    bool IsEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
    // The window's own visible style, whatever its parents'.
    bool HasVisibleStyle() const { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
    bool Move(const RECT& r, bool repaint = true) const {
        return MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, repaint) != FALSE;
    }
    bool Invalidate(bool erase = true) const { return InvalidateRect(hwnd_, nullptr, erase) != FALSE; }
    bool Update() const { return UpdateWindow(hwnd_) != FALSE; }
    bool Destroy() const { return DestroyWindow(hwnd_) != FALSE; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    HWND Parent() const { return GetParent(hwnd_); }
    RECT ClientRect() const;
    // The window rectangle in the coordinates of `other`'s client area.
    RECT RectIn(HWND other) const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(hwnd_, message, wParam, lParam);
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return PostMessageW(hwnd_, message, wParam, lParam) != FALSE;
    }
    HFONT Font() const { return reinterpret_cast<HFONT>(Send(WM_GETFONT)); }
    void SetFont(HFONT font, bool redraw = false) const { Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    HINSTANCE Instance() const { return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)); }

protected:
    HWND hwnd_;
};

inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }

// Owns a window that no object stands behind (a plain child control): destroys
// it when reset or destroyed.
class ScopedWindow {
public:
    ScopedWindow() = default;
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;
    ~ScopedWindow() { Reset(); }

    void Reset(HWND hwnd = nullptr) {
        if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
        hwnd_ = hwnd;
    }
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};
