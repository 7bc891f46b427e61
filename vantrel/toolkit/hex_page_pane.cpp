#include "vantrel/toolkit/hex_page_pane.h"

#include <algorithm>
#include <cwchar>
#include <optional>

#include "vantrel/framework/gdi.h"
#include "vantrel/toolkit/card_panel_base.h"

namespace {

constexpr int kHeaderHeight = 20;
constexpr int kLabelGap = 4;
constexpr int kLabelWidthPerDigit = 10;

// Upper-case hex digits of `value`, at least `digits` of them.
std::wstring HexLabel(int value, int digits) {
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"%0*X", digits, static_cast<unsigned>(value));
    return text;
}

// The page that a WM_VSCROLL of the page bar `bar` moves to, with the thumb
// set there: line and page steps move by one, the thumb goes where it is
// dragged. None for the other codes, and for a page outside the range, which
// only pins the thumb at the nearer end.
std::optional<int> ScrollToPage(HWND bar, WPARAM wParam) {
    int position = GetScrollPos(bar, SB_CTL);
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
    case SB_PAGEUP:
        --position;
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
        ++position;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        position = HIWORD(wParam);
        break;
    default:
        return std::nullopt;
    }
    int low = 0;
    int high = 0;
    GetScrollRange(bar, SB_CTL, &low, &high);
    SetScrollPos(bar, SB_CTL, std::clamp(position, low, high), TRUE);
    if (position < low || position > high) return std::nullopt;
    return position;
}

}  // namespace

void HexPagePane::Attach(HWND panel, HWND bar) {
    panel_ = panel;
    bar_ = bar;
}

void HexPagePane::Start(int byteCount) {
    editor_.SetLayout(shape_.rows, shape_.bytesPerRow);
    if (shape_.bold) editor_.SetBold(true);
    editor_.LoadAndFit(Bytes(static_cast<std::size_t>(std::max(byteCount, 0)), 0), shape_.lines,
                       shape_.bytesPerLine);
    if (bar_ == nullptr) return;
    if (editor_.PageCount() > 1) {
        // Drawn when the panel shows.
        SetScrollRange(bar_, SB_CTL, 0, editor_.PageCount() - 1, FALSE);
    } else {
        ShowWindow(bar_, SW_HIDE);
    }
}

void HexPagePane::PlaceBar(int left) {
    if (bar_ == nullptr) return;
    Window(bar_).Move(BarRect(left));
}

RECT HexPagePane::BarRect(int left) const {
    const RECT e = editor_.RectIn(panel_);
    return {left, e.top, left + GetSystemMetrics(SM_CXVSCROLL), e.bottom};
}

void HexPagePane::Load(std::span<const uint8_t> bytes) {
    const int page = editor_.CurrentPage();
    editor_.LoadBytes(bytes);
    SetBarRange();
    if (editor_.CurrentPage() != page) InvalidateLabels();
}

void HexPagePane::ZeroFill() {
    editor_.ClearChanges();
    editor_.ZeroFill();
}

void HexPagePane::SetBarRange() {
    if (bar_ == nullptr) return;
    int low = 0;
    int high = 0;
    GetScrollRange(bar_, SB_CTL, &low, &high);
    if (high != editor_.PageCount() - 1) SetScrollRange(bar_, SB_CTL, 0, editor_.PageCount() - 1, TRUE);
    if (GetScrollPos(bar_, SB_CTL) != editor_.CurrentPage()) SetScrollPos(bar_, SB_CTL, editor_.CurrentPage(), TRUE);
}

bool HexPagePane::FollowBar(WPARAM wParam, HWND bar) {
    if (bar_ == nullptr || bar != bar_) return false;
    const auto page = ScrollToPage(bar_, wParam);
    if (!page || !editor_.TurnPage(*page)) return false;
    InvalidateLabels();
    return true;
}

int HexPagePane::LabelWidth() const { return shape_.labelDigits * kLabelWidthPerDigit; }

void HexPagePane::InvalidateLabels() const {
    const RECT e = editor_.RectIn(panel_);
    const RECT labels{e.left - LabelWidth() - kLabelGap, e.top, e.left, e.bottom};
    InvalidateRect(panel_, &labels, TRUE);
}

std::wstring HexPagePane::LineLabel(int line) const {
    const int index = editor_.CurrentPage() * shape_.lines + line;
    const int value = shape_.labels == LineLabels::Offset ? index * shape_.bytesPerLine : index;
    return HexLabel(value, shape_.labelDigits);
}

void HexPagePane::DrawLabels(HDC dc) const {
    const RECT e = editor_.RectIn(panel_);
    const POINT origin = editor_.TextOrigin();
    const int cw = editor_.CharWidth();
    const int pitch = editor_.LinePitch();
    const int width = LabelWidth();

    ScopedSaveDC saved(dc);
    SelectObject(dc, Window(panel_).Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kProgramTextColour);

    // Each offset centred over the two digits of its byte.
    for (int column = 0; column < editor_.BytesPerLine(); ++column) {
        const int x = e.left + editor_.ByteX(column);
        RECT cell{x - cw, e.top - kHeaderHeight, x + 3 * cw, e.top};
        const std::wstring text = HexLabel(column, 2);
        DrawTextW(dc, text.c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
    for (int line = 0; line < editor_.Lines(); ++line) {
        const int y = e.top + origin.y + line * pitch;
        RECT cell{e.left - width - kLabelGap, y, e.left - kLabelGap, y + pitch};
        const std::wstring text = LineLabel(line);
        DrawTextW(dc, text.c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
}
