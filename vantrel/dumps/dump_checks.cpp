#include "vantrel/dumps/dump_checks.h"

#include <set>

#include "common/mifare_layout.h"

namespace dumps {

std::wstring Grouped(std::size_t number) {
    std::wstring digits = std::to_wstring(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, 1, L',');
    return digits;
}

std::wstring CheckDump(const CardDump& dump) {
    const DumpLayout* layout = FindDumpLayout(dump.code);
    if (layout == nullptr) return L"card type " + std::to_wstring(dump.code) + L" has no dumps";
    if (static_cast<int>(dump.units.size()) != layout->unitCount) {
        return Grouped(dump.units.size()) + L" units; a dump of this card type has " + Grouped(layout->unitCount);
    }
    for (std::size_t i = 0; i < dump.units.size(); ++i) {
        const DumpUnit& unit = dump.units[i];
        const std::wstring name = UnitName(*layout, static_cast<int>(i));
        if (static_cast<int>(unit.data.size()) != layout->unitSize) {
            return name + L": " + std::to_wstring(unit.data.size()) + L" bytes, not " + std::to_wstring(layout->unitSize);
        }
        if (!unit.status.empty() && static_cast<int>(unit.status.size()) != layout->statusBytes) {
            return name + L": " + std::to_wstring(unit.status.size()) + L" status bytes, not " +
                   std::to_wstring(layout->statusBytes);
        }
    }
    if (dump.uid.size() > kMaxUidSize) return L"a UID of " + std::to_wstring(dump.uid.size()) + L" bytes";
    const int sectors = layout->access == Access::Mifare ? mifare::SectorOfBlock(layout->unitCount - 1) + 1 : 0;
    std::set<int> seen;
    for (const SectorKey& key : dump.keys) {
        if (key.sector < 0 || key.sector >= sectors) return L"a key for sector " + std::to_wstring(key.sector) + L", which this card type lacks";
        if (!seen.insert(key.sector).second) return L"two keys for sector " + std::to_wstring(key.sector);
    }
    return {};
}

}  // namespace dumps
