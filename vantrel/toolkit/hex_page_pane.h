// A panel's hex page editor with what goes around it: the byte offsets of a
// line above it, a label left of each line, and the page scroll bar. The
// panel binds it with CardPanelBase::BindPane, which draws the labels and
// passes the bar's scrolling on; the panel loads what it reads and reads back
// what the operator changed.
//
// A page change drops the changes not yet written: the bytes the card holds
// as far as the panel knows (last read, or written since) come back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "vantrel/toolkit/bytes.h"
#include "vantrel/toolkit/hex_page_editor.h"

enum class LineLabels {
    Number,  // the line's number
    Offset,  // the byte offset of the line's first byte
};

struct HexPageShape {
    int rows;          // rows a page, the units a panel reads and writes
    int bytesPerRow;
    int lines;         // lines the editor shows a page
    int bytesPerLine;
    LineLabels labels = LineLabels::Number;
    int labelDigits = 2;
    bool bold = true;
};

class HexPagePane {
public:
    explicit HexPagePane(const HexPageShape& shape) : shape_(shape) {}
    HexPagePane(const HexPagePane&) = delete;
    HexPagePane& operator=(const HexPagePane&) = delete;

    // The editor, bound by CardPanelBase::BindPane before Attach.
    HexPageEditor& Editor() { return editor_; }
    const HexPageEditor& Editor() const { return editor_; }
    // The panel the labels are drawn on and its page bar (none: null).
    void Attach(HWND panel, HWND bar);
    HWND Bar() const { return bar_; }

    // `byteCount` zero bytes, nothing read: the editor fitted to one page,
    // the bar's range set, or the bar hidden when there is one page only.
    void Start(int byteCount);
    // Puts the bar beside the editor, its left edge at `left`.
    void PlaceBar(int left);
    // Where PlaceBar(left) puts the bar, in the panel's client area.
    RECT BarRect(int left) const;

    // What a read gave, shown from the first byte; the page shown stays when
    // it still exists.
    void Load(std::span<const uint8_t> bytes);
    // Bytes first .. first + count - 1 of a Load did not come from the card.
    void MarkUnread(int firstByte, int count) { editor_.MarkUnread(firstByte, count); }
    // Nothing of the card stays shown: every byte 00, none read, no changes.
    void ZeroFill();
    // The card now holds bytes first .. first + count - 1 as shown.
    void MarkWritten(int firstByte, int count) { editor_.MarkWritten(firstByte, count); }
    // Forgets which bytes changed, keeping them on screen.
    void ClearChanges() { editor_.ClearChanges(); }
    // Forgets the changes and shows the card's bytes again.
    void DropChanges() { editor_.DropChanges(); }

    Bytes ChangedBytes() const { return editor_.ChangedBytes(); }
    int FirstChangedByte() const { return editor_.FirstChangedByte(); }
    int FirstChangedRow() const { return editor_.FirstChangedRow(); }
    int LastChangedRow() const { return editor_.LastChangedRow(); }
    Bytes RowBytes(int row) const { return editor_.RowBytes(row); }

    // The whole content as shown, and for each row whether all of it was read.
    Bytes Content() const { return editor_.Model().ContentBytes(); }
    std::vector<bool> RowsRead() const { return editor_.Model().RowsRead(); }
    int CurrentPage() const { return editor_.CurrentPage(); }

    // A WM_VSCROLL the panel got from `bar`: true when it was this pane's bar
    // and the page changed.
    bool FollowBar(WPARAM wParam, HWND bar);
    // The offsets and labels, on the panel's paint DC.
    void DrawLabels(HDC dc) const;
    // The label of line `line` of the page shown.
    std::wstring LineLabel(int line) const;

private:
    int LabelWidth() const;
    void InvalidateLabels() const;
    void SetBarRange();

    HexPageShape shape_;
    HexPageEditor editor_;
    HWND panel_ = nullptr;
    HWND bar_ = nullptr;
};
