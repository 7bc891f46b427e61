#include "vantrel/shell/splash_window.h"

#include "vantrel/resources/resource.h"
#include "vantrel/toolkit/ui_text.h"

bool SplashWindow::Create() {
    bitmap_.Reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                  MAKEINTRESOURCEW(IDB_SPLASH), IMAGE_BITMAP, 0, 0,
                                                  LR_CREATEDIBSECTION)));
    // The bitmap fills the client area; the thin border lies around it.
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOPMOST);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - Width(frame)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - Height(frame)) / 2;
    if (!WindowBase::Create(L"VantrelSplash", L"", WS_POPUP | WS_BORDER, WS_EX_TOPMOST,
                            RECT{x, y, x + Width(frame), y + Height(frame)}, nullptr, nullptr)) {
        return false;
    }
    Show(SW_SHOW);
    Update();
    return true;
}

std::span<const MessageEntry<SplashWindow>> SplashWindow::Messages() {
    static const MessageEntry<SplashWindow> map[] = {
        OnMessage(WM_PAINT, &SplashWindow::OnPaint),
    };
    return map;
}

LRESULT SplashWindow::OnPaint(WPARAM, LPARAM) {
    ScopedPaint dc(hwnd_);
    RECT client = ClientRect();
    if (bitmap_) {
        ScopedMemoryDC memory(dc);
        ScopedSelectObject select(memory, bitmap_);
        BitBlt(dc, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY);
    } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    }
    ScopedFont font(CreateFontW(50, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, L"Arial"));
    ScopedSelectObject selectFont(dc, font);
    ScopedTextStyle style(dc, RGB(255, 0, 0));
    DrawTextW(dc, UiText(kMainMessages, kTextConnecting), -1, &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return 0;
}
