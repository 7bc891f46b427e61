#include "vantrel/toolkit/list_tip.h"

#include <windowsx.h>

#include <algorithm>

#include "vantrel/framework/gdi.h"
#include "vantrel/toolkit/answer_list_layout.h"
#include "vantrel/toolkit/key_filter.h"

namespace {

constexpr int kTextMargin = 6;
constexpr int kScreenShift = 5;
constexpr int kScreenExtraWidth = 3;

// The tip that watches this thread's queue while it is shown.
thread_local ListTip* watchingTip = nullptr;

LPARAM PointParam(POINT p) {
    return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

UINT NonClientButton(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN: return WM_NCLBUTTONDOWN;
    case WM_RBUTTONDOWN: return WM_NCRBUTTONDOWN;
    default: return WM_NCMBUTTONDOWN;
    }
}

}  // namespace

ListTip::~ListTip() {
    Hide();
    WatchMessages(false);
}

bool ListTip::Create(HWND ownerList) {
    if (IsValid()) return true;
    owner_ = ownerList;
    return WindowBase::Create(kClassName, L"", WS_POPUP | WS_BORDER,
                              WS_EX_TOOLWINDOW | WS_EX_TOPMOST, RECT{}, ownerList, nullptr,
                              CS_SAVEBITS, reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1));
}

HFONT ListTip::ListFont() const {
    HFONT font = Window(owner_).Font();
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

void ListTip::Show(const RECT& itemRect, const std::wstring& text) {
    if (!IsValid() || IsRectEmpty(&itemRect) || text.empty() || shown_ || IsVisible() ||
        GetFocus() == nullptr) {
        return;
    }
    lines_ = BreakTipLines(text, kLineLength);
    const size_t lineCount = (text.size() + kLineLength - 1) / kLineLength;

    SIZE firstLine{};
    TEXTMETRICW metrics{};
    {
        ScopedGetDC dc(owner_);
        ScopedSelectObject font(dc, ListFont());
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(std::min(text.size(), kLineLength)),
                              &firstLine);
        GetTextMetricsW(dc, &metrics);
    }
    const RECT client = Window(owner_).ClientRect();
    const PixelBox box = TipBox(itemRect.left, itemRect.top, firstLine.cx,
                                static_cast<int>(lineCount), metrics.tmHeight,
                                PixelBox{client.left, client.top, client.right, client.bottom});

    POINT origin{box.left, box.top};
    ClientToScreen(owner_, &origin);
    screenRect_ = RECT{origin.x + kScreenShift, origin.y,
                       origin.x + kScreenShift + box.Width() + kScreenExtraWidth,
                       origin.y + box.Height()};
    // The mouse may stay anywhere on the tip or on the item it belongs to.
    RECT itemOnScreen = itemRect;
    IntersectRect(&itemOnScreen, &itemOnScreen, &client);
    MapWindowPoints(owner_, HWND_DESKTOP, reinterpret_cast<POINT*>(&itemOnScreen), 2);
    UnionRect(&mouseRect_, &screenRect_, &itemOnScreen);
    SetWindowPos(hwnd_, HWND_TOPMOST, screenRect_.left, screenRect_.top, Width(screenRect_),
                 Height(screenRect_), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate();
    shown_ = true;
    SetCapture(hwnd_);
    WatchMessages(true);
}

void ListTip::Hide() {
    if (!shown_) return;
    shown_ = false;
    WatchMessages(false);
    if (GetCapture() == hwnd_) ReleaseCapture();
    if (IsValid()) ShowWindow(hwnd_, SW_HIDE);
}

bool ListTip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_PAINT:
        Paint();
        result = 0;
        return true;
    case WM_MOUSEACTIVATE:
        result = MA_NOACTIVATE;
        return true;
    case WM_MOUSEMOVE:
        if (!shown_) return false;
        OnMouseMove(wParam, lParam);
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (!shown_) return false;
        OnButtonDown(message, wParam, lParam);
        result = 0;
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!shown_) return false;
        Hide();
        PostMessageW(owner_, message, wParam, lParam);
        result = 0;
        return true;
    case WM_CAPTURECHANGED:
        // Someone else took the mouse: the tip could no longer hide itself.
        if (reinterpret_cast<HWND>(lParam) != hwnd_) Hide();
        return false;
    case WM_DESTROY:
        Hide();
        return false;
    default:
        return false;
    }
}

void ListTip::Paint() {
    ScopedPaint paint(hwnd_);
    ScopedSelectObject font(paint, ListFont());
    ScopedTextStyle style(paint, GetSysColor(COLOR_INFOTEXT), TRANSPARENT);
    RECT area = ClientRect();
    area.left += kTextMargin;
    DrawTextW(paint, lines_.c_str(), static_cast<int>(lines_.size()), &area,
              DT_LEFT | DT_TOP | DT_NOPREFIX);
}

void ListTip::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd_, &point);
    if (PtInRect(&mouseRect_, point)) return;
    Hide();
    Forward(WM_MOUSEMOVE, WM_NCMOUSEMOVE, wParam, point);
}

void ListTip::OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd_, &point);
    Hide();
    Forward(message, NonClientButton(message), wParam, point);
}

void ListTip::Forward(UINT clientMessage, UINT nonClientMessage, WPARAM wParam,
                      POINT screenPoint) {
    HWND target = WindowFromPoint(screenPoint);
    if (target == nullptr) return;
    const LRESULT hit = SendMessageW(target, WM_NCHITTEST, 0, PointParam(screenPoint));
    if (hit == HTCLIENT) {
        POINT client = screenPoint;
        ScreenToClient(target, &client);
        PostMessageW(target, clientMessage, wParam, PointParam(client));
    } else {
        PostMessageW(target, nonClientMessage, static_cast<WPARAM>(hit), PointParam(screenPoint));
    }
}

void ListTip::WatchMessages(bool watch) {
    if (watch && hook_ == nullptr) {
        hook_ = SetWindowsHookExW(WH_GETMESSAGE, MessageHook, nullptr, GetCurrentThreadId());
        watchingTip = this;
    } else if (!watch && hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        if (watchingTip == this) watchingTip = nullptr;
    }
}

LRESULT CALLBACK ListTip::MessageHook(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && watchingTip != nullptr) {
        watchingTip->OnQueuedMessage(*reinterpret_cast<MSG*>(lParam));
    }
    return next;
}

void ListTip::OnQueuedMessage(MSG& msg) {
    if (!shown_) return;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Keys go to the focus, not to the tip: hide and hand them to the list.
        Hide();
        msg.hwnd = owner_;
        return;
    default:
        if (GetFocus() == nullptr) Hide();
        return;
    }
}
