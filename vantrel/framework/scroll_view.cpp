#include "vantrel/framework/scroll_view.h"

#include <algorithm>
#include <optional>

#include "vantrel/framework/redraw_suspension.h"

namespace {

// Posted to itself: draw the scroll bar now that the loop is idle.
constexpr UINT kRedrawBarMessage = WM_APP + 0x3F0;

}  // namespace

void ScrollView::SetScrollSizes(int totalWidth, int totalHeight, BarRedraw redraw) {
    totalWidth_ = std::max(totalWidth, 1);
    totalHeight_ = std::max(totalHeight, 1);
    pageStep_ = std::max(totalHeight_ / 10, 1);
    lineStep_ = std::max(pageStep_ / 10, 1);
    UpdateBar(redraw);
    if (position_ > MaxPosition()) ScrollTo(MaxPosition());
}

ScrollView::Bar ScrollView::VerticalBar() const {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(hwnd_, SB_VERT, &si);
    return {(GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VSCROLL) != 0, si.nMax, si.nPage, si.nPos};
}

int ScrollView::MaxPosition() const {
    const int client = Height(ClientRect());
    return std::max(totalHeight_ - client, 0);
}

void ScrollView::UpdateBar(BarRedraw redraw) {
    if (hwnd_ == nullptr) return;
    const int client = Height(ClientRect());
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = totalHeight_ - 1;
    si.nPage = static_cast<UINT>(std::max(client, 0));
    si.nPos = position_;
    // Drawing the bar costs milliseconds under Wine. Showing or hiding it
    // changes the frame, which Wine draws at once: unless asked to draw now,
    // the window is then kept from drawing and painted with its frame once the
    // loop is idle.
    const bool now = redraw == BarRedraw::Now;
    const Bar bar = VerticalBar();
    const bool barChanges = bar.shown != (totalHeight_ > client);
    // Setting what the bar shows again would draw it again.
    if (!barChanges && bar.max == si.nMax && bar.page == si.nPage && bar.position == si.nPos) return;
    {
        std::optional<RedrawSuspension> suspended;
        if (!now && barChanges) suspended.emplace(hwnd_);
        SetScrollInfo(hwnd_, SB_VERT, &si, now ? TRUE : FALSE);
    }
    if (!now && !barChanges && !barRedrawPosted_) {
        barRedrawPosted_ = PostMessageW(hwnd_, kRedrawBarMessage, 0, 0) != FALSE;
    }
}

void ScrollView::ScrollTo(int y, bool redraw) {
    const int target = std::clamp(y, 0, MaxPosition());
    const int dy = position_ - target;
    if (dy == 0) {
        UpdateBar();
        return;
    }
    position_ = target;
    ScrollWindowEx(hwnd_, 0, dy, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | (redraw ? (SW_INVALIDATE | SW_ERASE) : 0));
    UpdateBar();
    OnScrolled(dy);
    if (redraw) UpdateWindow(hwnd_);
}

void ScrollView::OnVScroll(int code) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    GetScrollInfo(hwnd_, SB_VERT, &si);
    const int page = std::max(Height(ClientRect()), pageStep_);
    switch (code) {
    case SB_LINEUP: ScrollTo(position_ - lineStep_); break;
    case SB_LINEDOWN: ScrollTo(position_ + lineStep_); break;
    case SB_PAGEUP: ScrollTo(position_ - page); break;
    case SB_PAGEDOWN: ScrollTo(position_ + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(si.nTrackPos); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(MaxPosition()); break;
    default: break;
    }
}

bool ScrollView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        result = 0;
        return true;
    case WM_MOUSEWHEEL:
        ScrollTo(position_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3 * std::max(lineStep_, 16));
        result = 0;
        return true;
    case kRedrawBarMessage:
        barRedrawPosted_ = false;
        // The non-client area only: the scroll bar.
        DefWindowProcW(hwnd_, WM_NCPAINT, 1, 0);
        result = 0;
        return true;
    case WM_SIZE:
        // Sizes come in runs (a frame being resized, a bar shown): the bar is
        // drawn once they are over.
        UpdateBar(BarRedraw::WhenIdle);
        if (position_ > MaxPosition()) ScrollTo(MaxPosition());
        return false;
    default:
        return WindowBase::HandleMessage(message, wParam, lParam, result);
    }
}
