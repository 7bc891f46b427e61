#include "vantrel/toolkit/hex_page_frame.h"

#include <algorithm>
#include <cwchar>

#include "vantrel/framework/gdi.h"
#include "vantrel/toolkit/card_panel_base.h"

namespace {

constexpr int kHeaderHeight = 20;
constexpr int kLabelGap = 4;

}  // namespace

std::wstring HexLabel(int value, int digits) {
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"%0*X", digits, static_cast<unsigned>(value));
    return text;
}

RECT RowLabelArea(HWND panel, const HexPageEditor& editor, int rowLabelWidth) {
    const RECT e = editor.RectIn(panel);
    return {e.left - rowLabelWidth - kLabelGap, e.top, e.left, e.bottom};
}

void DrawHexPageLabels(HDC dc, HWND panel, const HexPageEditor& editor, int rowLabelWidth,
                       const std::function<std::wstring(int row)>& rowLabel) {
    const RECT e = editor.RectIn(panel);
    const POINT origin = editor.TextOrigin();
    const int cw = editor.CharWidth();
    const int pitch = editor.LinePitch();

    ScopedSaveDC saved(dc);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(panel, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kProgramTextColour);

    // Each offset centred over the two digits of its byte.
    for (int column = 0; column < editor.BytesPerLine(); ++column) {
        const int x = e.left + editor.ByteX(column);
        RECT cell{x - cw, e.top - kHeaderHeight, x + 3 * cw, e.top};
        const std::wstring text = HexLabel(column);
        DrawTextW(dc, text.c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
    for (int row = 0; row < editor.Lines(); ++row) {
        const int y = e.top + origin.y + row * pitch;
        RECT cell{e.left - rowLabelWidth - kLabelGap, y, e.left - kLabelGap, y + pitch};
        const std::wstring text = rowLabel(row);
        DrawTextW(dc, text.c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
}

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

bool FollowPageBar(HWND panel, HWND bar, HexPageEditor& editor, int rowLabelWidth, WPARAM wParam) {
    const auto page = ScrollToPage(bar, wParam);
    if (!page) return false;
    editor.ShowPage(*page);
    const RECT labels = RowLabelArea(panel, editor, rowLabelWidth);
    InvalidateRect(panel, &labels, TRUE);
    editor.ClearChanges();
    return true;
}
