// The rich edit that shows a byte buffer one page at a time as "XX " triples,
// a line break in place of each line's last blank; only the current page is
// in the control.
// It is read-only to the keyboard: typed digits go through the page model,
// which overtypes one digit at a time, remembers the changed range and
// refuses protected bytes (drawn grey and bold).
#pragma once

#include <cstdint>
#include <span>

#include "vantrel/framework/subclass.h"
#include "vantrel/toolkit/bytes.h"
#include "vantrel/toolkit/hex_page_model.h"

class HexPageEditor : public SubclassedControl {
public:
    // The rich edit class lives in riched20.dll; panels load it before their
    // templates are created.
    static void LoadRichEdit();

    void SetLayout(int rows, int bytesPerRow) { model_.SetLayout(rows, bytesPerRow); }
    void SetBold(bool bold);
    // Pads to one page, forgets the changes and shows the current page.
    void LoadBytes(std::span<const uint8_t> bytes);
    void LoadText(const Bytes& bytes) { LoadBytes(bytes); }
    // Loads `bytes` and fits the editor to them, displaying the text once.
    void LoadAndFit(std::span<const uint8_t> bytes, int lines, int bytesPerLine) {
        model_.LoadBytes(bytes);
        FitToPage(lines, bytesPerLine);
    }
    void ZeroFill();

    int PageCount() const { return model_.PageCount(); }
    int CurrentPage() const { return model_.CurrentPage(); }
    // Changes nothing for a page that does not exist; keeps the caret's offset.
    void ShowPage(int page);
    // ShowPage, and the typed changes dropped: the card's bytes come back.
    bool TurnPage(int page);

    void ClearChanges() { model_.ClearChanges(); }
    // Forgets the changes and shows the card's bytes again.
    void DropChanges();
    void MarkWritten(int firstByte, int count) { model_.MarkWritten(firstByte, count); }
    void MarkUnread(int firstByte, int count) { model_.MarkUnread(firstByte, count); }
    Bytes ChangedBytes() const { return model_.ChangedBytes(); }
    int FirstChangedByte() const { return model_.FirstChangedByte(); }
    int FirstChangedRow() const { return model_.FirstChangedRow(); }
    int LastChangedRow() const { return model_.LastChangedRow(); }
    Bytes RowBytes(int row) const { return model_.RowBytes(row); }
    void AddProtectedRange(int firstByte, int lastByte);
    const HexPageModel& Model() const { return model_; }

    // Sizes the control so that a line holds `bytesPerLine` bytes and
    // `lines` lines show, one page; the panels place their labels from the
    // geometry below.
    void FitToPage(int lines, int bytesPerLine);
    int Lines() const { return lines_; }
    int BytesPerLine() const { return bytesPerLine_; }
    // Offsets of the first digit from the control's top-left corner, the
    // width of one digit and the height of one line, in pixels.
    POINT TextOrigin() const { return textOrigin_; }
    int CharWidth() const { return charWidth_; }
    // Offset of the first digit of byte `byteInLine` of a line from the left edge.
    int ByteX(int byteInLine) const;
    int LinePitch() const { return linePitch_; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Redisplay();
    void PaintProtected();
    void Format(int from, int to, bool bold, bool grey);
    int Caret() const;
    void SetCaret(int position);
    bool OnKeyDown(WPARAM key);
    void OnChar(wchar_t c);

    HexPageModel model_;
    bool bold_ = false;
    POINT textOrigin_{0, 0};
    int charWidth_ = 8;
    int linePitch_ = 16;
    int lineWidth_ = (16 * 3 - 1) * 8;
    int lines_ = 16;
    int bytesPerLine_ = 16;
};
