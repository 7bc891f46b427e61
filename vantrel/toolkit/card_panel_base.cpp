#include "vantrel/toolkit/card_panel_base.h"

#include <algorithm>

#include "vantrel/framework/gdi.h"

void TileBitmap(HDC dc, const RECT& area, HBITMAP tile) {
    BITMAP info{};
    if (tile == nullptr || GetObjectW(tile, sizeof(info), &info) == 0) return;
    const int tileWidth = info.bmWidth;
    const int tileHeight = info.bmHeight;
    const int columns = tileWidth > 0 ? Width(area) / tileWidth + 1 : 1;
    const int rows = tileHeight > 0 ? Height(area) / tileHeight + 1 : 1;
    ScopedMemoryDC memory(dc);
    ScopedSelectObject select(memory, tile);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            BitBlt(dc, area.left + column * tileWidth, area.top + row * tileHeight, tileWidth,
                   tileHeight, memory, 0, 0, SRCCOPY);
        }
    }
}

void PaintSkinBackground(HDC dc, const RECT& area, HBITMAP skin) {
    if (skin != nullptr) {
        TileBitmap(dc, area, skin);
    } else {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    }
}

CardPanelBase::CardPanelBase(int templateId, PanelContext& context)
    : WithMessageMap(templateId), context_(context), reader_(context.reader) {}

std::span<const MessageEntry<CardPanelBase>> CardPanelBase::Messages() {
    static const MessageEntry<CardPanelBase> map[] = {
        OnMessage(WM_ERASEBKGND, &CardPanelBase::OnEraseBackground),
        OnMessage(WM_CTLCOLORSTATIC, &CardPanelBase::OnCtlColor),
        OnMessage(WM_CTLCOLORBTN, &CardPanelBase::OnCtlColor),
        OnMessage(WM_CTLCOLORDLG, &CardPanelBase::OnCtlColor),
        OnMessage(WM_CTLCOLORSCROLLBAR, &CardPanelBase::OnCtlColor),
        OnMessage(WM_PAINT, &CardPanelBase::OnPaint),
        OnMessage(kPanelIgnoredMessage, &CardPanelBase::OnIgnored),
    };
    return map;
}

BOOL CardPanelBase::OnInitDialog() { return TRUE; }

void CardPanelBase::ReplaceGroupBoxes(std::initializer_list<int> ids, COLORREF colour) {
    for (int id : ids) {
        FramedCaption frame;
        frame.ReplaceGroupBox(hwnd_, id, colour);
        frames_.push_back(std::move(frame));
    }
}

void CardPanelBase::SetContentHeightBelow(int id) {
    contentHeight_ = Window(Item(id)).RectIn(hwnd_).bottom + 50;
}

void CardPanelBase::SetContentHeightToClient() { contentHeight_ = Height(ClientRect()); }

LRESULT CardPanelBase::OnEraseBackground(WPARAM wParam, LPARAM) {
    PaintSkinBackground(reinterpret_cast<HDC>(wParam), ClientRect(), skin_);
    return TRUE;
}

LRESULT CardPanelBase::OnCtlColor(WPARAM wParam, LPARAM lParam) {
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (std::find(defaultColourIds_.begin(), defaultColourIds_.end(), id) != defaultColourIds_.end()) {
        return OnCtlColorDefault(wParam, lParam);
    }
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kProgramTextColour);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT CardPanelBase::OnCtlColorDefault(WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, WM_CTLCOLORSCROLLBAR, wParam, lParam);
}

LRESULT CardPanelBase::OnPaint(WPARAM, LPARAM) {
    { ScopedPaint paint(hwnd_); }
    for (const FramedCaption& frame : frames_) frame.Draw();
    return 0;
}
