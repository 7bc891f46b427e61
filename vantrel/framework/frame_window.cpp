#include "vantrel/framework/frame_window.h"

void FrameWindow::Layout() {
    if (hwnd_ == nullptr) return;
    RECT client = ClientRect();
    int top = 0;
    if (bar_ != nullptr && IsWindowVisible(bar_)) {
        RECT bar{};
        GetWindowRect(bar_, &bar);
        top = Height(bar);
        MoveWindow(bar_, 0, 0, client.right, top, TRUE);
    }
    if (client_ != nullptr) {
        MoveWindow(client_, 0, top, client.right, client.bottom > top ? client.bottom - top : 0, TRUE);
    }
}

bool FrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SIZE:
        Layout();
        result = 0;
        return true;
    case WM_INITMENUPOPUP:
        OnUpdateMenu(reinterpret_cast<HMENU>(wParam));
        result = 0;
        return true;
    case WM_DESTROY:
        PostQuitMessage(0);
        result = 0;
        return true;
    default:
        return WindowBase::HandleMessage(message, wParam, lParam, result);
    }
}
