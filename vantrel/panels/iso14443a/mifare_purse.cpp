#include "vantrel/panels/iso14443a/mifare_purse.h"

#include <algorithm>
#include <limits>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

}  // namespace

std::optional<int32_t> ParsePurseValue(std::wstring_view text) {
    if (text.empty()) return std::nullopt;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > kLimit) return std::nullopt;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<int32_t> DecimalFieldValue(std::wstring_view text) {
    if (text.empty()) return -1;
    return ParsePurseValue(text);
}

int32_t HexFieldValue(const Bytes& bytes) {
    uint32_t value = 0;
    const std::size_t count = std::min<std::size_t>(bytes.size(), 4);
    for (std::size_t i = 0; i < count; ++i) value |= uint32_t{bytes[i]} << (8 * i);
    return static_cast<int32_t>(value);
}

std::wstring DecimalText(int32_t value) { return std::to_wstring(value); }

PurseBlockChoice PurseBlocks(int sector, int previousBlock) {
    if (sector == 0) return {{1, 2}, std::clamp(previousBlock - 1, 0, 1)};
    return {{0, 1, 2}, std::clamp(previousBlock, 0, 2)};
}
