#include "vantrel/toolkit/card_panel_base.h"

#include <algorithm>

#include "vantrel/framework/gdi.h"
#include "vantrel/toolkit/hex_page_pane.h"
#include "vantrel/toolkit/shared_gdi.h"

namespace {

bool HasClass(HWND control, const wchar_t* name) {
    wchar_t className[16] = {};
    return GetClassNameW(control, className, 16) > 0 && lstrcmpiW(className, name) == 0;
}

// A static that shows text: it paints all of itself on every redraw.
bool IsTextStatic(HWND control) {
    if (!HasClass(control, L"Static")) return false;
    switch (GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        return true;
    default:
        return false;
    }
}

// A caption for a control of a panel not shown yet. A button repaints itself
// at once when its text changes (three server round trips under Wine); one
// that cannot be seen only needs the text, and is painted with the panel.
void SetCaption(HWND control, const wchar_t* text) {
    if (control == nullptr) return;
    if (!IsWindowVisible(control) && HasClass(control, L"Button")) {
        DefWindowProcW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    } else {
        SetWindowTextW(control, text);
    }
}

// Captions in the program's colour on whatever lies behind them.
LRESULT Transparent(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kProgramTextColour);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

}  // namespace

void TileBitmap(HDC dc, const RECT& area, HBITMAP tile) { TileBitmap(dc, area, tile, POINT{area.left, area.top}); }

void TileBitmap(HDC dc, const RECT& area, HBITMAP tile, POINT origin) {
    BITMAP info{};
    if (tile == nullptr || GetObjectW(tile, sizeof(info), &info) == 0) return;
    const int tileWidth = info.bmWidth;
    const int tileHeight = info.bmHeight;
    if (tileWidth <= 0 || tileHeight <= 0) return;
    // One fill with the tile as a pattern brush whose origin is on the grid:
    // the clipping and the repetition are done by GDI, not tile by tile.
    ScopedBrush pattern(CreatePatternBrush(tile));
    if (!pattern) return;
    const auto onGrid = [](int at, int step) { return (at % step + step) % step; };
    POINT old{};
    SetBrushOrgEx(dc, onGrid(origin.x, tileWidth), onGrid(origin.y, tileHeight), &old);
    FillRect(dc, &area, pattern);
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
}

void PaintSkinBackground(HDC dc, const RECT& area, HBITMAP skin) {
    PaintSkinBackground(dc, area, skin, POINT{area.left, area.top});
}

void PaintSkinBackground(HDC dc, const RECT& area, HBITMAP skin, POINT origin) {
    if (skin != nullptr) {
        TileBitmap(dc, area, skin, origin);
    } else {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    }
}

CardPanelBase::CardPanelBase(int templateId, PanelContext& context)
    : WithMessageMap(templateId), context_(context), reader_(context.reader) {}

std::span<const MessageEntry<CardPanelBase>> CardPanelBase::Messages() {
    static const MessageEntry<CardPanelBase> map[] = {
        OnMessage(WM_ERASEBKGND, &CardPanelBase::OnEraseBackground),
        OnMessage(WM_CTLCOLORSTATIC, &CardPanelBase::OnCtlColorStatic),
        OnMessage(WM_CTLCOLORBTN, &CardPanelBase::OnCtlColor),
        OnMessage(WM_CTLCOLORDLG, &CardPanelBase::OnCtlColor),
        OnMessage(WM_CTLCOLORSCROLLBAR, &CardPanelBase::OnCtlColorScrollBar),
        OnMessage(WM_PAINT, &CardPanelBase::OnPaint),
        OnMessage(WM_VSCROLL, &CardPanelBase::OnVScroll),
        OnMessage(kPanelIgnoredMessage, &CardPanelBase::OnIgnored),
    };
    return map;
}

bool CardPanelBase::Bind(SubclassedControl& control, int id) {
    if (control.Subclass(hwnd_, id)) return true;
    missingControls_.push_back(id);
    return false;
}

bool CardPanelBase::Bind(Window& control, int id) {
    control.Attach(BindItem(id));
    return control.Handle() != nullptr;
}

bool CardPanelBase::BindPane(HexPagePane& pane, int editorId, int barId) {
    const bool bound = Bind(pane.Editor(), editorId);
    UseHexFont(pane.Editor());
    HWND bar = nullptr;
    if (barId != 0) {
        bar = BindItem(barId);
        KeepDefaultColours(barId);
    }
    pane.Attach(hwnd_, bar);
    panes_.push_back(&pane);
    return bound && (barId == 0 || bar != nullptr);
}

HWND CardPanelBase::BindItem(int id) {
    HWND control = Item(id);
    if (control == nullptr) missingControls_.push_back(id);
    return control;
}

BOOL CardPanelBase::OnInitDialog() {
    for (std::span<const Caption> table : captionTables_) {
        for (const Caption& caption : table) SetCaption(Item(caption.controlId), UiText(caption.text));
    }
    return TRUE;
}

NumberList CardPanelBase::ListAt(int id) const {
    NumberList list;
    list.Attach(Item(id));
    return list;
}

void CardPanelBase::UseHexFont(HWND control) const {
    Window(control).SetFont(HexFont(Font()));
}

void CardPanelBase::ReplaceGroupBoxes(std::initializer_list<int> ids, COLORREF colour) {
    for (int id : ids) {
        FramedCaption frame;
        frame.ReplaceGroupBox(hwnd_, id, colour);
        frames_.push_back(std::move(frame));
    }
}

RECT CardPanelBase::InitialClientRect() const {
    if (plannedClient_) return RECT{0, 0, plannedClient_->cx, plannedClient_->cy};
    return ClientRect();
}

void CardPanelBase::SetContentHeightBelow(int id) {
    contentHeight_ = Window(Item(id)).RectIn(hwnd_).bottom + 50;
}

void CardPanelBase::SetContentHeightToClient() { contentHeight_ = Height(ClientRect()); }

LRESULT CardPanelBase::OnEraseBackground(WPARAM wParam, LPARAM) {
    PaintSkinBackground(reinterpret_cast<HDC>(wParam), ClientRect(), skin_);
    return TRUE;
}

LRESULT CardPanelBase::OnCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    // Read-only and disabled edits ask as statics; edits keep the default colours.
    if (HasClass(control, L"Edit")) return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, wParam, lParam);
    // Nothing erases under a transparent text: put the panel's background
    // there first, so that a changed text leaves no trace of the old one.
    if (IsTextStatic(control)) {
        RECT area = ClientRect();
        MapWindowPoints(hwnd_, control, reinterpret_cast<POINT*>(&area), 2);
        // Statics draw with their parent's clipping: keep to the label itself.
        const RECT own = Window(control).ClientRect();
        ScopedSaveDC saved(dc);
        IntersectClipRect(dc, own.left, own.top, own.right, own.bottom);
        PaintSkinBackground(dc, area, skin_);
    }
    return Transparent(dc);
}

LRESULT CardPanelBase::OnCtlColor(WPARAM wParam, LPARAM) {
    return Transparent(reinterpret_cast<HDC>(wParam));
}

LRESULT CardPanelBase::OnCtlColorScrollBar(WPARAM wParam, LPARAM lParam) {
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (std::find(defaultColourIds_.begin(), defaultColourIds_.end(), id) != defaultColourIds_.end()) {
        return DefWindowProcW(hwnd_, WM_CTLCOLORSCROLLBAR, wParam, lParam);
    }
    return Transparent(reinterpret_cast<HDC>(wParam));
}

LRESULT CardPanelBase::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(hwnd_);
    for (const FramedCaption& frame : frames_) frame.Draw(paint);
    for (const HexPagePane* pane : panes_) pane->DrawLabels(paint);
    return 0;
}

LRESULT CardPanelBase::OnVScroll(WPARAM wParam, LPARAM lParam) {
    for (HexPagePane* pane : panes_) {
        if (pane->FollowBar(wParam, reinterpret_cast<HWND>(lParam))) OnPageTurned(*pane);
    }
    return 0;
}
