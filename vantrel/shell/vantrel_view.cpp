#include "vantrel/shell/vantrel_view.h"

#include <algorithm>

#include "vantrel/framework/display.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/framework/redraw_suspension.h"
#include "vantrel/shell/program_settings.h"

namespace {

constexpr int kDefaultScrollSize = 100;
// DCs the cache takes at one idle moment.
constexpr std::size_t kDcsPerIdle = 8;

}  // namespace

CVantrelView::CVantrelView(PanelContext& context, HWND frame)
    : context_(context), frame_(frame), screenWidth_(DisplayResolution().cx) {}

CVantrelView::~CVantrelView() { DestroyPanel(); }

bool CVantrelView::Create(HWND parent) {
    RECT r{0, 0, 100, 100};
    if (!WindowBase::Create(L"VantrelView", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN,
                            0, r, parent, nullptr)) {
        return false;
    }
    SetScrollSizes(kDefaultScrollSize, kDefaultScrollSize);
    return true;
}

bool CVantrelView::OnIdle() { return dcCache_.FillSome(kDcsPerIdle); }

std::span<const MessageEntry<CVantrelView>> CVantrelView::Messages() {
    static const MessageEntry<CVantrelView> map[] = {
        OnMessage(WM_ERASEBKGND, &CVantrelView::OnEraseBackground),
        OnMessage(WM_PAINT, &CVantrelView::OnPaint),
        OnMessage(WM_SIZE, &CVantrelView::OnSize),
        OnMessage(WM_DESTROY, &CVantrelView::OnDestroy),
        OnMessage(WM_CTLCOLORSTATIC, &CVantrelView::OnCtlColorStatic),
    };
    return map;
}

void CVantrelView::SetSkin(HBITMAP skin) {
    skin_ = skin;
    if (panel_) panel_->SetSkin(skin);
    // The panel and its labels show the skin too: repaint them with the view.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CVantrelView::DestroyPanel() {
    if (!panel_) return;
    if (panel_->IsValid()) panel_->Destroy();
    panel_.reset();
}

void CVantrelView::ShowCardPanel(int32_t code) {
    code_ = code;
    Switch(code);
}

void CVantrelView::ShowDevicePage() { Switch(kDevicePageCode); }

void CVantrelView::Switch(int32_t code) {
    // The old panel going, the new one's creation, placing and scroll range
    // paint nothing; the view and the panel are painted once at the end, the
    // scroll bar only when it changed: a themed bar costs milliseconds under
    // Wine.
    const Bar before = VerticalBar();
    RedrawSuspension suspended(hwnd_);
    ReplacePanel(code);
    if (VerticalBar() == before) suspended.KeepFrame();
}

void CVantrelView::ReplacePanel(int32_t code) {
    ScrollTo(0);
    DestroyPanel();

    RECT reference = Window(frame_).ClientRect();
    MapWindowPoints(frame_, hwnd_, reinterpret_cast<POINT*>(&reference), 2);

    const CardTypeRow* row = FindCardType(code);
    if (row == nullptr) {
        SetScrollSizes(kDefaultScrollSize, kDefaultScrollSize);
        Invalidate();
        return;
    }
    const PanelLayout& layout = row->layout.ForWidth(screenWidth_);
    panel_ = row->factory(context_, code, layout.templateId);
    panel_->SetSkin(skin_);
    if (layout.placement == PanelPlacement::Fill || layout.placement == PanelPlacement::CentredThenFill) {
        const RECT area = ClientRect();
        panel_->PlanClientSize(SIZE{Width(area), Height(area)});
    }
    if (!panel_->CreateModeless(hwnd_)) {
        panel_.reset();
        return;
    }
    Place(layout.placement, reference);
    panel_->Show(SW_SHOW);
    UpdateScrollRange();
}

void CVantrelView::Place(PanelPlacement placement, const RECT& reference) {
    switch (placement) {
    case PanelPlacement::Centred: {
        // A reference narrower than the panel would put its left part out of reach.
        const RECT r = panel_->RectIn(hwnd_);
        const int left = std::max(0, static_cast<int>(r.left) + (Width(reference) - Width(r)) / 2);
        MoveWindow(*panel_, left, r.top, Width(r), Height(r), TRUE);
        break;
    }
    case PanelPlacement::Origin:
        break;
    case PanelPlacement::CentredThenFill:
    case PanelPlacement::Fill:
        panel_->Move(ClientRect());
        panel_->Layout(screenWidth_);
        break;
    }
}

void CVantrelView::UpdateScrollRange() {
    if (!panel_) return;
    const int height = panel_->ContentHeight();
    const int total = (height < 1 || height <= Height(ClientRect())) ? kDefaultScrollSize : height;
    SetScrollSizes(kDefaultScrollSize, total);
}

LRESULT CVantrelView::OnEraseBackground(WPARAM wParam, LPARAM) {
    // Tiles on the panel's grid: no seam where the panel's own tiles meet
    // these, and scrolled bits stay in line with newly painted ones.
    POINT origin{0, 0};
    if (panel_ && panel_->IsValid()) MapWindowPoints(*panel_, hwnd_, &origin, 1);
    PaintSkinBackground(reinterpret_cast<HDC>(wParam), ClientRect(), skin_, origin);
    return TRUE;
}

LRESULT CVantrelView::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(hwnd_);
    return 0;
}

LRESULT CVantrelView::OnSize(WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    ScrollView::HandleMessage(WM_SIZE, wParam, lParam, result);
    UpdateScrollRange();
    return 0;
}

LRESULT CVantrelView::OnCtlColorStatic(WPARAM wParam, LPARAM) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kProgramTextColour);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT CVantrelView::OnDestroy(WPARAM, LPARAM) {
    DestroyPanel();
    return 0;
}
