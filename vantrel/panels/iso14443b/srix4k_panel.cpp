#include "vantrel/panels/iso14443b/srix4k_panel.h"

#include <string>

#include "vantrel/framework/common_controls.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/panels/iso14443b/srix4k_ids.h"
#include "vantrel/toolkit/hex_text.h"
#include "vantrel/toolkit/shared_gdi.h"

namespace {

constexpr int kBlocks = Srix4kBlockGrid::kBlocks;
constexpr std::size_t kBlockSize = 4;
constexpr int kGridMargin = 20;
constexpr std::size_t kUidSize = 256;
constexpr COLORREF kTabColour = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kCurrentTabColour = RGB(0xFF, 0xFF, 0x5A);

constexpr Caption kCaptions[] = {
    {IDC_SRIX_REQUEST, {L"寻卡", L"Req"}},
    {IDC_SRIX_READ_UID, {L"读取UID", L"Read UID"}},
    {IDC_SRIX_READ, {L"读卡", L"Read Card"}},
    {IDC_SRIX_WRITE, {L"写卡", L" Write Block"}},
    {IDC_SRIX_LOCK, {L"块锁定", L"Lock"}},
};

constexpr StTagSetup kSetup{
    IDC_SRIX_CHIP_ID, IDC_SRIX_REQUEST, IDC_SRIX_BLOCK_LIST, IDC_SRIX_READ, IDC_SRIX_WRITE,
    IDC_SRIX_LOCK_REG, IDC_SRIX_LOCK, kBlocks, kBlockSize, 0, kBlocks - 1,
    &ReaderLibrary::rf_srix4k_readblock, &ReaderLibrary::rf_srix4k_writeblock, &ReaderLibrary::rf_srix4k_writelockreg,
    kCaptions,
};

constexpr const wchar_t* kTabCaptions[] = {L"First Page", L"Second Page"};

}  // namespace

CSrix4kPanel::CSrix4kPanel(PanelContext& context) : WithMessageMap(IDD_SRIX4K, context, kSetup) {}

std::span<const MessageEntry<CSrix4kPanel>> CSrix4kPanel::Messages() {
    using P = CSrix4kPanel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_SRIX_READ_UID, &P::OnReadUid),
        OnMessage(WM_PAINT, &P::OnPaint),
        OnMessage(WM_LBUTTONDOWN, &P::OnLeftButtonDown),
        OnMessage(WM_RBUTTONDOWN, &P::OnRightButtonDown),
    };
    return map;
}

BOOL CSrix4kPanel::OnInitDialog() {
    StTagPanel::OnInitDialog();
    SetUpHexEdit(uid_, IDC_SRIX_UID, 0);
    for (int id : {IDC_SRIX_CHIP_LABEL, IDC_SRIX_UID_LABEL, IDC_SRIX_BLOCK_LABEL, IDC_SRIX_LOCK_LABEL,
                   IDC_SRIX_READ_UID}) {
        BindItem(id);
    }
    places_ = ComputeGrid(InitialClientRect());
    if (!grid_.Create(hwnd_, IDC_SRIX_BLOCK0, kBlockSize, HexFont(Font()), places_)) {
        BindItem(IDC_SRIX_BLOCK0);  // recorded as missing
    }
    FitHeight();
    return TRUE;
}

bool CSrix4kPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NEXTDLGCTL && lParam == 0 && grid_.OnNextControl(wParam != 0)) {
        result = 0;
        return true;
    }
    if (message == WM_SETCURSOR && CursorWindowOf(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(hwnd_, &at);
        if (grid_.OnSetCursor(at)) {
            result = TRUE;
            return true;
        }
    }
    return WithMessageMap::HandleMessage(message, wParam, lParam, result);
}

void CSrix4kPanel::Layout(int) {
    const Srix4kGrid places = ComputeGrid(ClientRect());
    if (places.edits != places_.edits) {
        places_ = places;
        grid_.Place(places_);
    }
    FitHeight();
}

Srix4kGrid CSrix4kPanel::ComputeGrid(const RECT& client) const {
    const RECT label = Window(Item(IDC_SRIX_CHIP_LABEL)).RectIn(hwnd_);
    return LayOutSrix4kGrid(label.right + kGridMargin, label.top, client.right - kGridMargin);
}

void CSrix4kPanel::FitHeight() {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, places_.contentHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetContentHeightToClient();
    Invalidate();
}

void CSrix4kPanel::ShowPage(int page) {
    if (page == grid_.Page()) return;
    grid_.ShowPage(page);
    for (const GridBox& tab : places_.tabs) {
        const RECT area = ToRect(tab);
        InvalidateRect(hwnd_, &area, TRUE);
    }
}

void CSrix4kPanel::EditBlock(int block) {
    if (block < 0 || block >= kBlocks) return;
    ShowPage(block / kSrixBlocksPerPage);
    grid_.Edit(block);
}

Bytes CSrix4kPanel::BlockBytes(int block) const { return HexToBytes(grid_.Text(block)); }

void CSrix4kPanel::ShowBlocks(const std::vector<std::wstring>& texts) { grid_.SetTexts(texts); }

void CSrix4kPanel::OnReadUid() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    uint8_t uid[kUidSize] = {};
    uint8_t length = 0;
    if (!cmd.Call(reader_.rf_srix4k_getuid, kDevice, uid, &length)) return;
    uid_.SetBytes(uid, length);
    cmd.Done(UiText(kMainMessages, kTextReadUidOk));
}

LRESULT CSrix4kPanel::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(hwnd_);
    grid_.Paint(paint, paint.Area());
    PaintTabs(paint);
    return 0;
}

void CSrix4kPanel::PaintTabs(HDC dc) const {
    ScopedSaveDC saved(dc);
    SelectObject(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    const int page = grid_.Page();
    for (int tab = 0; tab < 2; ++tab) {
        RECT area = ToRect(places_.tabs[tab]);
        const ScopedGdiObject<HBRUSH> fill(CreateSolidBrush(tab == page ? kCurrentTabColour : kTabColour));
        FillRect(dc, &area, fill.Get());
        FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetTextColor(dc, tab == page ? kProgramTextColour : RGB(0xFF, 0xFF, 0xFF));
        DrawTextW(dc, kTabCaptions[tab], -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

LRESULT CSrix4kPanel::OnLeftButtonDown(WPARAM wParam, LPARAM lParam) {
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    for (int tab = 0; tab < 2; ++tab) {
        if (places_.tabs[tab].Contains(at.x, at.y)) ShowPage(tab);
    }
    grid_.OnButtonDown(WM_LBUTTONDOWN, wParam, at);
    return 0;
}

LRESULT CSrix4kPanel::OnRightButtonDown(WPARAM wParam, LPARAM lParam) {
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    grid_.OnButtonDown(WM_RBUTTONDOWN, wParam, at);
    return 0;
}
