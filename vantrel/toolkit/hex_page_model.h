// The text behind a hex page editor: a byte buffer as "XX " triples shown one
// page at a time, overtyped digit by digit, with the changed part remembered
// and byte ranges that typing must not touch. It also keeps what the card is
// known to hold (the bytes last read, and those written since) and which
// bytes came from a read, so that dropped changes give back the card's bytes.
#pragma once

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "vantrel/toolkit/bytes.h"

class HexPageModel {
public:
    static constexpr int kCharsPerByte = 3;
    static constexpr int kNone = -1;

    void SetLayout(int rows, int bytesPerRow);
    int Rows() const { return rows_; }
    int BytesPerRow() const { return bytesPerRow_; }

    // Shows at least one whole page: a shorter buffer is padded with zeros.
    // Forgets the changes. The bytes given count as read, the padding not.
    void LoadBytes(std::span<const uint8_t> bytes);
    // Every byte becomes 00 and none counts as read; the changed range stays.
    void ZeroFill();
    // Bytes first .. first + count - 1 did not come from the card.
    void MarkUnread(int firstByte, int count);
    // The card now holds bytes first .. first + count - 1 as shown.
    void MarkWritten(int firstByte, int count);
    // Forgets the changes and gives back what the card holds as far as known:
    // typed digits not written are undone, marked or not.
    void DropChanges();

    int ByteCount() const { return static_cast<int>(content_.size()) / kCharsPerByte; }
    int PageCount() const;
    int CurrentPage() const { return page_; }
    // False, changing nothing, for a page that does not exist.
    bool ShowPage(int page);
    // ShowPage, dropping the changes when the page exists.
    bool TurnPage(int page);
    int PageChars() const { return rows_ * bytesPerRow_ * kCharsPerByte; }
    int PageStart() const { return page_ * PageChars(); }
    // What the control shows: the content from the current page's start on.
    std::wstring DisplayedText() const { return content_.substr(PageStart()); }
    const std::wstring& Content() const { return content_; }
    // The whole content as bytes, typed changes included.
    Bytes ContentBytes() const;
    // Whether every byte of row `row` came from a read, for each row.
    std::vector<bool> RowsRead() const;

    void ClearChanges() { changedFirst_ = changedLast_ = kNone; }
    // First and last changed character positions in the whole content.
    std::pair<int, int> ChangedRange() const { return {changedFirst_, changedLast_}; }
    // The bytes from the first to the last changed one; empty when none.
    Bytes ChangedBytes() const;
    int FirstChangedByte() const { return changedFirst_ == kNone ? 0 : changedFirst_ / kCharsPerByte; }
    int FirstChangedRow() const { return RowOf(changedFirst_); }
    int LastChangedRow() const { return RowOf(changedLast_); }
    // The bytes of `row`; fewer (or none) where the content ends first.
    Bytes RowBytes(int row) const;

    // Inclusive byte range that typing must leave alone.
    void AddProtectedRange(int firstByte, int lastByte);
    // The protected spans of the current page as [start, end) positions of
    // the displayed text, for drawing them grey.
    std::vector<std::pair<int, int>> ProtectedSpansOnPage() const;

    struct Typed {
        bool changed;  // a digit replaced the one at the caret
        int caret;     // where the caret goes; unchanged when the key was refused
    };
    // A character typed with the caret at `caret` of the displayed text.
    Typed Type(wchar_t c, int caret);

private:
    int RowOf(int position) const;
    bool IsProtected(int position) const;

    std::wstring content_;
    // What the card holds as far as known, as content text.
    std::wstring known_;
    std::vector<bool> read_;  // a flag per byte
    int rows_ = 16;
    int bytesPerRow_ = 16;
    int page_ = 0;
    int changedFirst_ = kNone;
    int changedLast_ = kNone;
    std::vector<std::pair<int, int>> protected_;
};
