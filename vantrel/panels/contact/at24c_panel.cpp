#include "vantrel/panels/contact/at24c_panel.h"

#include <algorithm>
#include <array>

#include "vantrel/framework/gdi.h"
#include "vantrel/panels/contact/at24c_ids.h"
#include "vantrel/toolkit/hex_page_frame.h"
#include "vantrel/toolkit/result_report.h"

namespace {

constexpr int kBytesPerLine = 16;
constexpr int kAddressLabelWidth = 40;
constexpr int kGap = 4;
constexpr int kLayoutShift = 70;
constexpr int kBelowBar = 50;

constexpr Caption kCaptions[] = {
    {IDC_AT24_READ, {L"读卡", L"Read Card"}},
    {IDC_AT24_WRITE, {L"写卡", L"Write Card"}},
};

std::wstring Message(MainText entry) { return UiText(kMainMessages, entry); }

}  // namespace

CAt24cPanel::CAt24cPanel(PanelContext& context, int32_t code)
    : WithMessageMap(IDD_AT24C, context), code_(code), geometry_(At24GeometryOf(code)) {
    HexPageEditor::LoadRichEdit();
    UseCaptions(kCaptions);
}

std::span<const MessageEntry<CAt24cPanel>> CAt24cPanel::Messages() {
    using P = CAt24cPanel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_AT24_READ, &P::OnReadCard),
        OnCommand(IDC_AT24_WRITE, &P::OnWriteCard),
        OnMessage(WM_VSCROLL, &P::OnVScroll),
        OnMessage(WM_PAINT, &P::OnPaint),
    };
    return map;
}

int CAt24cPanel::LinesPerPage() const {
    return geometry_.rows * geometry_.bytesPerRow / kBytesPerLine;
}

BOOL CAt24cPanel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    BindItem(IDC_AT24_READ);
    BindItem(IDC_AT24_WRITE);
    Bind(editor_, IDC_AT24_EDITOR);
    Bind(pageBar_, IDC_AT24_PAGE_BAR);
    KeepDefaultColours(IDC_AT24_PAGE_BAR);
    UseHexFont(editor_);
    editor_.SetBold(true);
    editor_.SetLayout(geometry_.rows, geometry_.bytesPerRow);
    editor_.LoadText(Bytes(static_cast<std::size_t>(geometry_.capacity), 0));
    editor_.FitToPage(LinesPerPage(), kBytesPerLine);

    const RECT e = editor_.RectIn(hwnd_);
    const int barLeft = e.right + kGap;
    pageBar_.Move({barLeft, e.top, barLeft + GetSystemMetrics(SM_CXVSCROLL), e.bottom});
    if (editor_.PageCount() > 1) {
        SetScrollRange(pageBar_, SB_CTL, 0, editor_.PageCount() - 1, TRUE);
    } else {
        pageBar_.Show(SW_HIDE);
    }
    SetContentHeightBelow(IDC_AT24_PAGE_BAR);
    return TRUE;
}

void CAt24cPanel::Layout(int) {
    const RECT client = ClientRect();
    const RECT read = Window(Item(IDC_AT24_READ)).RectIn(hwnd_);
    const RECT bar = pageBar_.RectIn(hwnd_);
    int dx = (Width(client) - (bar.right - read.left)) / 2 - read.left - kLayoutShift;
    // Never further left than the panel's edge.
    dx = std::max<int>(dx, -read.left);
    for (int id : {IDC_AT24_READ, IDC_AT24_WRITE, IDC_AT24_EDITOR, IDC_AT24_PAGE_BAR}) {
        Window control(Item(id));
        RECT r = control.RectIn(hwnd_);
        OffsetRect(&r, dx, 0);
        control.Move(r);
    }
    const int bottom = pageBar_.RectIn(hwnd_).bottom + kBelowBar;
    MoveWindow(hwnd_, client.left, client.top, Width(client), bottom - client.top, TRUE);
    SetContentHeightBelow(IDC_AT24_PAGE_BAR);
    Invalidate();
}

void CAt24cPanel::OnReadCard() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!cmd.Call(reader_.OpenCard, kDevice)) return;
    std::array<uint8_t, kAt24MaxCapacity> card{};
    for (int address = 0; address < geometry_.capacity; address += kAt24Chunk) {
        if (!cmd.Call(reader_.AT24_read, kDevice, static_cast<uint32_t>(address),
                      static_cast<uint32_t>(kAt24Chunk), card.data() + address)) {
            return;
        }
    }
    editor_.LoadBytes(std::span<const uint8_t>(card.data(), geometry_.capacity));
    cmd.Done(Message(kTextSuccess));
}

void CAt24cPanel::OnWriteCard() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const Bytes changed = editor_.ChangedBytes();
    if (changed.empty()) {
        cmd.Failed(Message(kTextNoChangeData));
        return;
    }
    if (!cmd.Call(reader_.OpenCard, kDevice)) return;
    const int start = editor_.FirstChangedByte();
    for (const At24Piece& piece : At24WritePieces(start, static_cast<int>(changed.size()))) {
        if (!cmd.Call(reader_.AT24_write, kDevice, piece.address,
                      static_cast<uint32_t>(piece.length), changed.data() + piece.offset)) {
            return;
        }
    }
    editor_.ClearChanges();
    cmd.Done(Message(kTextSuccess));
}

LRESULT CAt24cPanel::OnVScroll(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != pageBar_.Handle()) return 0;
    if (!FollowPageBar(hwnd_, pageBar_, editor_, kAddressLabelWidth, wParam)) return 0;
    return 0;
}

LRESULT CAt24cPanel::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(hwnd_);
    const int firstLine = editor_.CurrentPage() * LinesPerPage();
    DrawHexPageLabels(paint, hwnd_, editor_, kAddressLabelWidth, [firstLine](int line) {
        return HexLabel((firstLine + line) * kBytesPerLine, 4);
    });
    return 0;
}
