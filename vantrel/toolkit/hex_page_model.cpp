#include "vantrel/toolkit/hex_page_model.h"

#include <algorithm>
#include <string_view>

#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr wchar_t kZeroByte[] = L"00 ";

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
}

// The digits of `text` without the separating spaces.
Bytes BytesOfTriples(std::wstring_view text) {
    std::wstring digits;
    digits.reserve(text.size());
    for (wchar_t c : text) {
        if (c != L' ') digits.push_back(c);
    }
    return HexToBytes(digits);
}

}  // namespace

void HexPageModel::SetLayout(int rows, int bytesPerRow) {
    rows_ = std::max(rows, 1);
    bytesPerRow_ = std::max(bytesPerRow, 1);
}

void HexPageModel::LoadBytes(std::span<const uint8_t> bytes) {
    ClearChanges();
    content_.clear();
    for (uint8_t b : bytes) {
        content_ += BytesToHex(&b, 1);
        content_ += L' ';
    }
    while (static_cast<int>(content_.size()) < PageChars()) content_ += kZeroByte;
    known_ = content_;
    read_.assign(static_cast<std::size_t>(ByteCount()), false);
    std::fill_n(read_.begin(), bytes.size(), true);
    if (page_ >= PageCount()) page_ = 0;
}

void HexPageModel::ZeroFill() {
    const int count = ByteCount();
    content_.clear();
    for (int i = 0; i < count; ++i) content_ += kZeroByte;
    known_ = content_;
    read_.assign(static_cast<std::size_t>(count), false);
}

void HexPageModel::MarkUnread(int firstByte, int count) {
    const int first = std::clamp(firstByte, 0, ByteCount());
    const int end = std::clamp(firstByte + count, first, ByteCount());
    std::fill(read_.begin() + first, read_.begin() + end, false);
}

void HexPageModel::MarkWritten(int firstByte, int count) {
    const int first = std::clamp(firstByte, 0, ByteCount());
    const int end = std::clamp(firstByte + count, first, ByteCount());
    const auto at = static_cast<std::size_t>(first * kCharsPerByte);
    const auto chars = static_cast<std::size_t>((end - first) * kCharsPerByte);
    known_.replace(at, chars, content_, at, chars);
}

void HexPageModel::DropChanges() {
    ClearChanges();
    content_ = known_;
}

Bytes HexPageModel::ContentBytes() const { return BytesOfTriples(content_); }

std::vector<bool> HexPageModel::RowsRead() const {
    std::vector<bool> rows;
    for (int first = 0; first < ByteCount(); first += bytesPerRow_) {
        const int end = std::min(first + bytesPerRow_, ByteCount());
        rows.push_back(std::all_of(read_.begin() + first, read_.begin() + end, [](bool read) { return read; }));
    }
    return rows;
}

int HexPageModel::PageCount() const {
    const int chars = static_cast<int>(content_.size());
    return (chars + PageChars() - 1) / PageChars();
}

bool HexPageModel::ShowPage(int page) {
    if (page < 0 || page > PageCount() - 1) return false;
    page_ = page;
    return true;
}

bool HexPageModel::TurnPage(int page) {
    if (!ShowPage(page)) return false;
    DropChanges();
    return true;
}

Bytes HexPageModel::ChangedBytes() const {
    if (changedFirst_ == kNone || changedLast_ == kNone || changedLast_ <= changedFirst_) return {};
    const int first = changedFirst_ / kCharsPerByte;
    const int count = changedLast_ / kCharsPerByte - first + (changedLast_ % kCharsPerByte != 0 ? 1 : 0);
    const int available = std::min(count, ByteCount() - first);
    if (available <= 0) return {};
    return BytesOfTriples(std::wstring_view(content_).substr(first * kCharsPerByte, available * kCharsPerByte));
}

int HexPageModel::RowOf(int position) const {
    return position == kNone ? kNone : position / kCharsPerByte / bytesPerRow_;
}

Bytes HexPageModel::RowBytes(int row) const {
    if (row < 0) return {};
    const int first = row * bytesPerRow_;
    const int count = std::min(bytesPerRow_, ByteCount() - first);
    if (count <= 0) return {};
    return BytesOfTriples(std::wstring_view(content_).substr(first * kCharsPerByte, count * kCharsPerByte));
}

void HexPageModel::AddProtectedRange(int firstByte, int lastByte) {
    protected_.emplace_back(firstByte, lastByte);
}

bool HexPageModel::IsProtected(int position) const {
    return std::any_of(protected_.begin(), protected_.end(), [position](const auto& range) {
        return position >= range.first * kCharsPerByte && position < range.second * kCharsPerByte + kCharsPerByte;
    });
}

std::vector<std::pair<int, int>> HexPageModel::ProtectedSpansOnPage() const {
    std::vector<std::pair<int, int>> spans;
    const int start = PageStart();
    for (const auto& [first, last] : protected_) {
        const int from = std::max(0, first * kCharsPerByte - start);
        const int to = std::min(PageChars(), last * kCharsPerByte - start + 2);
        if (from < to) spans.emplace_back(from, to);
    }
    return spans;
}

HexPageModel::Typed HexPageModel::Type(wchar_t c, int caret) {
    const int shown = static_cast<int>(content_.size()) - PageStart();
    if (!IsHexDigit(c) || caret < 0 || caret >= PageChars() || caret >= shown) return {false, caret};
    const int position = PageStart() + caret;
    if (IsProtected(position)) return {false, caret};
    if (content_[position] == L' ') return {false, caret + 1};

    content_[position] = c;
    if (changedFirst_ == kNone) {
        changedFirst_ = position;
        changedLast_ = position + 1;
    } else {
        changedFirst_ = std::min(changedFirst_, position);
        changedLast_ = std::max(changedLast_, position + 1);
    }
    const bool spaceNext = position + 1 < static_cast<int>(content_.size()) && content_[position + 1] == L' ';
    return {true, caret + (spaceNext ? 2 : 1)};
}
