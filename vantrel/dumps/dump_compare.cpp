#include "vantrel/dumps/dump_compare.h"

#include "vantrel/dumps/dump_checks.h"
#include "vantrel/dumps/dump_formats.h"

namespace dumps {

Comparison CompareDumps(const CardDump& left, const CardDump& right) {
    Comparison comparison;
    if (left.code != right.code) {
        comparison.refusal = L"The dumps are of different card types (" + left.cardName + L" and " + right.cardName +
                             L"): only dumps of one card type can be compared.";
        return comparison;
    }
    if (left.units.size() != right.units.size() || !CheckDump(left).empty() || !CheckDump(right).empty()) {
        comparison.refusal = L"The dumps differ in size (" + Grouped(MemoryImage(left).size()) + L" and " +
                             Grouped(MemoryImage(right).size()) + L" bytes): only dumps of one size can be compared.";
        return comparison;
    }
    for (std::size_t unit = 0; unit < left.units.size(); ++unit) {
        const DumpUnit& a = left.units[unit];
        const DumpUnit& b = right.units[unit];
        if (a.read != b.read || (a.read && a.data != b.data)) comparison.differing.push_back(static_cast<int>(unit));
    }
    return comparison;
}

bool ByteDiffers(const CardDump& left, const CardDump& right, int unit, int index) {
    const DumpUnit& a = left.units[unit];
    const DumpUnit& b = right.units[unit];
    if (a.read != b.read) return true;
    return a.read && a.data[index] != b.data[index];
}

std::wstring UnitText(const DumpUnit& unit) {
    if (!unit.read) return std::wstring(unit.data.size() * 2, L'-');
    return FromUtf8(HexOf(unit.data));
}

std::wstring DifferencesText(const CardDump& left, const CardDump& right, const Comparison& comparison,
                             const std::wstring& leftName, const std::wstring& rightName) {
    const DumpLayout* layout = FindDumpLayout(left.code);
    if (layout == nullptr) return {};
    std::wstring text = left.cardName + L": " + std::to_wstring(comparison.differing.size()) +
                        (comparison.differing.size() == 1 ? L" unit differs\r\n" : L" units differ\r\n");
    text += L"left: " + leftName + L"\r\nright: " + rightName + L"\r\n";
    for (int unit : comparison.differing) {
        text += UnitName(*layout, unit) + L": " + UnitText(left.units[unit]) + L" | " + UnitText(right.units[unit]) + L"\r\n";
    }
    return text;
}

}  // namespace dumps
