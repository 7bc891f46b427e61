#include "vantrel/framework/splitter.h"

#include <algorithm>

#include "vantrel/framework/gdi.h"

bool Splitter::Create(HWND parent, int id) {
    RECT r{};
    GetClientRect(parent, &r);
    return WindowBase::Create(L"VantrelSplitter", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, r,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), 0,
                              GetSysColorBrush(COLOR_BTNFACE));
}

void Splitter::SetPanes(HWND top, HWND bottom) {
    top_ = top;
    bottom_ = bottom;
    Layout();
}

void Splitter::SetTopHeight(int height) {
    topHeight_ = std::max(height, 0);
    Layout();
}

RECT Splitter::BarRect() const {
    RECT client = ClientRect();
    const int maxTop = std::max(Height(client) - kBarHeight - minBottom_, 0);
    const int top = std::min(topHeight_, maxTop);
    return RECT{0, top, client.right, top + kBarHeight};
}

void Splitter::Layout() {
    if (hwnd_ == nullptr) return;
    const RECT client = ClientRect();
    const RECT bar = BarRect();
    if (top_ != nullptr) MoveWindow(top_, 0, 0, client.right, bar.top, TRUE);
    if (bottom_ != nullptr) {
        MoveWindow(bottom_, 0, bar.bottom, client.right, std::max<int>(client.bottom - bar.bottom, 0),
                   TRUE);
    }
    InvalidateRect(hwnd_, &bar, TRUE);
}

void Splitter::Paint() {
    ScopedPaint dc(hwnd_);
    RECT bar = BarRect();
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &bar, EDGE_RAISED, BF_TOP | BF_BOTTOM);
}

bool Splitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SIZE:
        Layout();
        result = 0;
        return true;
    case WM_PAINT:
        Paint();
        result = 0;
        return true;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd_) {
            SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
            result = TRUE;
            return true;
        }
        return false;
    case WM_LBUTTONDOWN: {
        const RECT bar = BarRect();
        const int y = static_cast<short>(HIWORD(lParam));
        if (y >= bar.top && y < bar.bottom) {
            dragging_ = true;
            dragOffset_ = y - bar.top;
            SetCapture(hwnd_);
        }
        result = 0;
        return true;
    }
    case WM_MOUSEMOVE:
        if (dragging_) {
            const int y = static_cast<short>(HIWORD(lParam));
            SetTopHeight(std::max(y - dragOffset_, 0));
        }
        result = 0;
        return true;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (dragging_) {
            dragging_ = false;
            if (message == WM_LBUTTONUP) ReleaseCapture();
        }
        result = 0;
        return true;
    default:
        return WindowBase::HandleMessage(message, wParam, lParam, result);
    }
}
