#include "vantrel/panels/iso14443b/srix4k_panel.h"

#include <string>

#include "vantrel/framework/common_controls.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/panels/iso14443b/srix4k_ids.h"

namespace {

constexpr int kBlocks = 128;
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
    IDC_SRIX_LOCK_REG, IDC_SRIX_LOCK, IDC_SRIX_BLOCK0, kBlocks, 4, 0, kBlocks - 1,
    &ReaderLibrary::rf_srix4k_readblock, &ReaderLibrary::rf_srix4k_writeblock, &ReaderLibrary::rf_srix4k_writelockreg,
    kCaptions,
};

constexpr const wchar_t* kTabCaptions[] = {L"First Page", L"Second Page"};

RECT ToRect(const GridBox& box) { return {box.left, box.top, box.right, box.bottom}; }

}  // namespace

CSrix4kPanel::CSrix4kPanel(PanelContext& context) : WithMessageMap(IDD_SRIX4K, context, kSetup) {}

std::span<const MessageEntry<CSrix4kPanel>> CSrix4kPanel::Messages() {
    using P = CSrix4kPanel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_SRIX_READ_UID, &P::OnReadUid),
        OnMessage(WM_PAINT, &P::OnPaint),
        OnMessage(WM_LBUTTONDOWN, &P::OnLeftButtonDown),
    };
    return map;
}

BOOL CSrix4kPanel::OnInitDialog() {
    CreateGrid();
    StTagPanel::OnInitDialog();
    SetUpHexEdit(uid_, IDC_SRIX_UID, 0);
    for (int id : {IDC_SRIX_CHIP_LABEL, IDC_SRIX_UID_LABEL, IDC_SRIX_BLOCK_LABEL, IDC_SRIX_LOCK_LABEL,
                   IDC_SRIX_READ_UID}) {
        BindItem(id);
    }
    FitHeight();
    return TRUE;
}

void CSrix4kPanel::CreateGrid() {
    ComputeGrid(InitialClientRect());
    const HFONT font = Font();
    const HINSTANCE instance = Instance();
    // Each control is made in its place: no second pass moves them.
    auto create = [&](const wchar_t* cls, const std::wstring& text, DWORD style, DWORD exStyle, int id,
                      const GridBox& box) {
        const Window control(CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | style, box.left, box.top,
                                             box.right - box.left, box.bottom - box.top, hwnd_, ChildId(id), instance,
                                             nullptr));
        control.SetFont(font);
    };
    for (int block = 0; block < kBlocks; ++block) {
        const DWORD shown = block < kSrixBlocksPerPage ? WS_VISIBLE : 0;
        const int at = block % kSrixBlocksPerPage;
        create(L"Edit", L"", shown | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IDC_SRIX_BLOCK0 + block,
               grid_.edits[at]);
        create(L"Static", L"block" + std::to_wstring(block), shown | SS_RIGHT, 0, IDC_SRIX_BLOCK_LABEL0 + block,
               grid_.labels[at]);
    }
    for (int column = 0; column < 4; ++column) {
        create(L"Static", L"byte0...byte3", WS_VISIBLE, 0, IDC_SRIX_HEADING0 + column, grid_.headings[column]);
    }
}

void CSrix4kPanel::Layout(int) {
    const Srix4kGrid before = grid_;
    ComputeGrid(ClientRect());
    if (grid_.edits != before.edits) MoveGrid();
    FitHeight();
}

void CSrix4kPanel::ComputeGrid(const RECT& client) {
    const RECT label = Window(Item(IDC_SRIX_CHIP_LABEL)).RectIn(hwnd_);
    grid_ = LayOutSrix4kGrid(label.right + kGridMargin, label.top, client.right - kGridMargin);
}

void CSrix4kPanel::MoveGrid() {
    HDWP moves = BeginDeferWindowPos(2 * kBlocks + 4);
    auto place = [&](int id, const GridBox& box) {
        if (moves != nullptr) {
            moves = DeferWindowPos(moves, Item(id), nullptr, box.left, box.top, box.right - box.left,
                                   box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };
    for (int block = 0; block < kBlocks; ++block) {
        place(IDC_SRIX_BLOCK0 + block, grid_.edits[block % kSrixBlocksPerPage]);
        place(IDC_SRIX_BLOCK_LABEL0 + block, grid_.labels[block % kSrixBlocksPerPage]);
    }
    for (int column = 0; column < 4; ++column) place(IDC_SRIX_HEADING0 + column, grid_.headings[column]);
    if (moves != nullptr) EndDeferWindowPos(moves);
}

void CSrix4kPanel::FitHeight() {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, grid_.contentHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetContentHeightToClient();
    Invalidate();
}

void CSrix4kPanel::ShowPage(int page) {
    if (page == page_) return;
    page_ = page;
    for (int block = 0; block < kBlocks; ++block) {
        const int show = block / kSrixBlocksPerPage == page_ ? SW_SHOW : SW_HIDE;
        ShowWindow(Item(IDC_SRIX_BLOCK0 + block), show);
        ShowWindow(Item(IDC_SRIX_BLOCK_LABEL0 + block), show);
    }
    for (const GridBox& tab : grid_.tabs) {
        const RECT area = ToRect(tab);
        InvalidateRect(hwnd_, &area, TRUE);
    }
}

void CSrix4kPanel::OnReadUid() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    uint8_t uid[kUidSize] = {};
    uint8_t length = 0;
    if (!cmd.Call(reader_.rf_srix4k_getuid, kDevice, uid, &length)) return;
    uid_.SetBytes(uid, length);
    cmd.Done(UiText(kMainMessages, kTextReadUidOk));
}

LRESULT CSrix4kPanel::OnPaint(WPARAM wParam, LPARAM lParam) {
    // The base draws the background and framed captions; the tabs go on top.
    LRESULT painted = 0;
    CardPanelBase::HandleMessage(WM_PAINT, wParam, lParam, painted);
    ScopedGetDC dc(hwnd_);
    ScopedSaveDC saved(dc);
    SelectObject(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    for (int tab = 0; tab < 2; ++tab) {
        RECT area = ToRect(grid_.tabs[tab]);
        const ScopedGdiObject<HBRUSH> fill(CreateSolidBrush(tab == page_ ? kCurrentTabColour : kTabColour));
        FillRect(dc, &area, fill.Get());
        FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetTextColor(dc, tab == page_ ? kProgramTextColour : RGB(0xFF, 0xFF, 0xFF));
        DrawTextW(dc, kTabCaptions[tab], -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    return 0;
}

LRESULT CSrix4kPanel::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    for (int tab = 0; tab < 2; ++tab) {
        if (grid_.tabs[tab].Contains(x, y)) ShowPage(tab);
    }
    return 0;
}
