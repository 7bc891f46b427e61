// Two dumps of one card type side by side, unit by unit.
#pragma once

#include <string>
#include <vector>

#include "vantrel/dumps/card_dump.h"

namespace dumps {

struct Comparison {
    std::wstring refusal;          // dumps that cannot be compared: why
    std::vector<int> differing;    // units that differ: in data, or read in one dump only
};

Comparison CompareDumps(const CardDump& left, const CardDump& right);

// Whether byte `index` of `unit` differs (a unit read on one side only
// differs in every byte).
bool ByteDiffers(const CardDump& left, const CardDump& right, int unit, int index);

// The differences as text, one unit a line:
//   block 4: 00112233... | 00112244...
std::wstring DifferencesText(const CardDump& left, const CardDump& right, const Comparison& comparison,
                             const std::wstring& leftName, const std::wstring& rightName);

// The unit's bytes as the compare shows them: two digits a byte, "--" unread.
std::wstring UnitText(const DumpUnit& unit);

}  // namespace dumps
