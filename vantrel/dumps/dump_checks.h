// What every dump a file gives must satisfy, whatever its format.
#pragma once

#include <string>

#include "vantrel/dumps/card_dump.h"
#include "vantrel/dumps/dump_layout.h"

namespace dumps {

inline constexpr std::size_t kMaxUidSize = 10;

// Empty when `dump` fits its card type's layout (units, sizes, keys, UID),
// else what does not.
std::wstring CheckDump(const CardDump& dump);

// The number with thousands separators, as messages show sizes.
std::wstring Grouped(std::size_t number);

}  // namespace dumps
