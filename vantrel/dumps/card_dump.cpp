#include "vantrel/dumps/card_dump.h"

#include <algorithm>
#include <cstdio>

namespace dumps {

CardDump EmptyDump(const DumpLayout& layout, std::wstring cardName) {
    CardDump dump;
    dump.code = layout.code;
    dump.cardName = std::move(cardName);
    dump.units.assign(layout.unitCount, DumpUnit{Bytes(layout.unitSize, 0), false, {}});
    return dump;
}

int UnreadCount(const CardDump& dump) {
    return static_cast<int>(std::count_if(dump.units.begin(), dump.units.end(),
                                          [](const DumpUnit& unit) { return !unit.read; }));
}

Bytes MemoryImage(const CardDump& dump) {
    Bytes image;
    for (const DumpUnit& unit : dump.units) image.insert(image.end(), unit.data.begin(), unit.data.end());
    return image;
}

const SectorKey* KeyOfSector(const CardDump& dump, int sector) {
    for (const SectorKey& key : dump.keys) {
        if (key.sector == sector) return &key;
    }
    return nullptr;
}

Bytes UidInMemory(const DumpLayout& layout, const CardDump& dump) {
    const auto readUnit = [&](int unit) { return unit < static_cast<int>(dump.units.size()) && dump.units[unit].read; };
    switch (layout.access) {
    case Access::UltraLight:
    case Access::UltraLightC: {
        if (!readUnit(0) || !readUnit(1)) return {};
        const Bytes& page0 = dump.units[0].data;
        const Bytes& page1 = dump.units[1].data;
        return {page0[0], page0[1], page0[2], page1[0], page1[1], page1[2], page1[3]};
    }
    case Access::Mifare: {
        if (!readUnit(0)) return {};
        const Bytes& block = dump.units[0].data;
        if ((block[0] ^ block[1] ^ block[2] ^ block[3]) != block[4]) return {};
        return Bytes(block.begin(), block.begin() + 4);
    }
    case Access::Sr176: {
        Bytes uid;
        for (int unit = 0; unit < 4; ++unit) {
            if (!readUnit(unit)) return {};
            uid.insert(uid.end(), dump.units[unit].data.begin(), dump.units[unit].data.end());
        }
        return uid;
    }
    default:
        return {};
    }
}

std::wstring DumpTime(int year, int month, int day, int hour, int minute, int second) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return text;
}

}  // namespace dumps
