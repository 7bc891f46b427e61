#include "vantrel/shell/vantrel_view.h"

#include "vantrel/framework/display.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/shell/program_settings.h"

namespace {

constexpr int kDefaultScrollSize = 100;

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

std::span<const MessageEntry<CVantrelView>> CVantrelView::Messages() {
    static const MessageEntry<CVantrelView> map[] = {
        OnMessage(WM_ERASEBKGND, &CVantrelView::OnEraseBackground),
        OnMessage(WM_PAINT, &CVantrelView::OnPaint),
        OnMessage(WM_SIZE, &CVantrelView::OnSize),
        OnMessage(WM_DESTROY, &CVantrelView::OnDestroy),
    };
    return map;
}

void CVantrelView::SetSkin(HBITMAP skin) {
    skin_ = skin;
    if (panel_) panel_->SetSkin(skin);
    Invalidate();
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
    ScrollTo(0);
    DestroyPanel();

    RECT reference = Window(frame_).ClientRect();
    MapWindowPoints(frame_, hwnd_, reinterpret_cast<POINT*>(&reference), 2);

    PanelChoice choice = CreatePanel(code, screenWidth_, context_);
    if (!choice.panel) {
        SetScrollSizes(kDefaultScrollSize, kDefaultScrollSize);
        Invalidate();
        return;
    }
    panel_ = std::move(choice.panel);
    panel_->SetSkin(skin_);
    if (!panel_->CreateModeless(hwnd_)) {
        panel_.reset();
        return;
    }
    const RECT client = ClientRect();
    switch (choice.placement) {
    case PanelPlacement::Centred: {
        const RECT r = panel_->RectIn(hwnd_);
        const int left = r.left + (Width(reference) - Width(r)) / 2;
        MoveWindow(*panel_, left, r.top, Width(r), Height(r), TRUE);
        break;
    }
    case PanelPlacement::Origin:
        break;
    case PanelPlacement::CentredThenFill:
    case PanelPlacement::Fill:
        panel_->Move(client);
        panel_->Layout(screenWidth_);
        break;
    }
    panel_->Show(SW_SHOW);
    UpdateScrollRange();
}

void CVantrelView::UpdateScrollRange() {
    if (!panel_) return;
    const int height = panel_->ContentHeight();
    const int total = (height < 1 || height <= Height(ClientRect())) ? kDefaultScrollSize : height;
    SetScrollSizes(kDefaultScrollSize, total);
}

LRESULT CVantrelView::OnEraseBackground(WPARAM wParam, LPARAM) {
    PaintSkinBackground(reinterpret_cast<HDC>(wParam), ClientRect(), skin_);
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

LRESULT CVantrelView::OnDestroy(WPARAM, LPARAM) {
    DestroyPanel();
    return 0;
}
