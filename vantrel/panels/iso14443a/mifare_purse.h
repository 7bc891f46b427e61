// The purse group's rules: the decimal and hexadecimal value fields and the
// blocks of a sector that may hold a purse.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vantrel/toolkit/bytes.h"

// A purse value typed in decimal: leading blanks, an optional sign, then the
// digits up to the first other character (none give 0). Empty text and
// values outside the signed 32-bit range give nothing: they are refused, not
// wrapped.
std::optional<int32_t> ParsePurseValue(std::wstring_view text);

// The decimal field's value for its hexadecimal twin: an empty field reads as
// -1; nothing when the value lies outside the signed 32-bit range.
std::optional<int32_t> DecimalFieldValue(std::wstring_view text);

// The hexadecimal field's value: its first up to 4 bytes, least significant
// first, missing bytes 0.
int32_t HexFieldValue(const Bytes& bytes);

// "%d" of the value.
std::wstring DecimalText(int32_t value);

// The purse block list: the block numbers it offers and the entry to select.
struct PurseBlockChoice {
    std::vector<int> blocks;
    int selected = 0;
    friend bool operator==(const PurseBlockChoice&, const PurseBlockChoice&) = default;
};

// The list after choosing `sector`, keeping `previousBlock` where the sector
// allows it. Trailers never hold a purse, nor does the manufacturer block.
PurseBlockChoice PurseBlocks(int sector, int previousBlock);
// The list at start: sector 0, block 1.
inline PurseBlockChoice InitialPurseBlocks() { return PurseBlocks(0, 1); }
