#include "vantrel/panels/contact/at24c_panel.h"

#include <algorithm>
#include <array>

#include "vantrel/panels/contact/at24c_ids.h"
#include "vantrel/toolkit/result_report.h"

namespace {

constexpr int kBytesPerLine = 16;
constexpr int kGap = 4;
constexpr int kLayoutShift = 70;
constexpr int kBelowBar = 50;

constexpr Caption kCaptions[] = {
    {IDC_AT24_READ, {L"读卡", L"Read Card"}},
    {IDC_AT24_WRITE, {L"写卡", L"Write Card"}},
};

std::wstring Message(MainText entry) { return UiText(kMainMessages, entry); }

// Sixteen bytes a line, each labelled with its address: a page is 8 lines
// (AT24C01) or 16.
HexPageShape PaneShape(const At24Geometry& geometry) {
    const int lines = geometry.rows * geometry.bytesPerRow / kBytesPerLine;
    return {geometry.rows, geometry.bytesPerRow, lines, kBytesPerLine, LineLabels::Offset, 4};
}

}  // namespace

CAt24cPanel::CAt24cPanel(PanelContext& context, int32_t code)
    : WithMessageMap(IDD_AT24C, context), code_(code), geometry_(At24GeometryOf(code)),
      pane_(PaneShape(geometry_)) {
    HexPageEditor::LoadRichEdit();
    UseCaptions(kCaptions);
}

std::span<const MessageEntry<CAt24cPanel>> CAt24cPanel::Messages() {
    using P = CAt24cPanel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_AT24_READ, &P::OnReadCard),
        OnCommand(IDC_AT24_WRITE, &P::OnWriteCard),
    };
    return map;
}

BOOL CAt24cPanel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    BindItem(IDC_AT24_READ);
    BindItem(IDC_AT24_WRITE);
    BindPane(pane_, IDC_AT24_EDITOR, IDC_AT24_PAGE_BAR);
    pane_.Start(geometry_.capacity);
    pane_.PlaceBar(pane_.Editor().RectIn(hwnd_).right + kGap);
    SetContentHeightBelow(IDC_AT24_PAGE_BAR);
    return TRUE;
}

void CAt24cPanel::Layout(int) {
    const RECT client = ClientRect();
    const RECT read = Window(Item(IDC_AT24_READ)).RectIn(hwnd_);
    const RECT bar = Window(pane_.Bar()).RectIn(hwnd_);
    int dx = (Width(client) - (bar.right - read.left)) / 2 - read.left - kLayoutShift;
    // Never further left than the panel's edge.
    dx = std::max<int>(dx, -read.left);
    for (int id : {IDC_AT24_READ, IDC_AT24_WRITE, IDC_AT24_EDITOR, IDC_AT24_PAGE_BAR}) {
        Window control(Item(id));
        RECT r = control.RectIn(hwnd_);
        OffsetRect(&r, dx, 0);
        control.Move(r);
    }
    const int bottom = Window(pane_.Bar()).RectIn(hwnd_).bottom + kBelowBar;
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
    pane_.Load(std::span<const uint8_t>(card.data(), geometry_.capacity));
    cmd.Done(Message(kTextSuccess));
}

void CAt24cPanel::OnWriteCard() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const Bytes changed = pane_.ChangedBytes();
    if (changed.empty()) {
        cmd.Failed(Message(kTextNoChangeData));
        return;
    }
    if (!cmd.Call(reader_.OpenCard, kDevice)) return;
    const int start = pane_.FirstChangedByte();
    for (const At24Piece& piece : At24WritePieces(start, static_cast<int>(changed.size()))) {
        if (!cmd.Call(reader_.AT24_write, kDevice, piece.address,
                      static_cast<uint32_t>(piece.length), changed.data() + piece.offset)) {
            return;
        }
        pane_.MarkWritten(static_cast<int>(piece.address), piece.length);
    }
    pane_.ClearChanges();
    cmd.Done(Message(kTextSuccess));
}
