#include "vantrel/dumps/dump_layout.h"

#include <array>
#include <cstdio>

#include "common/mifare_layout.h"

namespace dumps {

namespace {

constexpr std::array kLayouts = {
    DumpLayout{0, Access::UltraLight, 4, 16, 0, L"page"},
    DumpLayout{1, Access::Mifare, 16, 64, 0, L"block"},
    DumpLayout{2, Access::Mifare, 16, 256, 0, L"block"},
    DumpLayout{4, Access::Sr176, 2, 16, 0, L"block"},
    DumpLayout{5, Access::Srix4k, 4, 128, 0, L"block"},
    DumpLayout{9, Access::VicinityBlocks, 4, 64, 1, L"block"},
    DumpLayout{10, Access::VicinityBlocks, 4, 28, 1, L"block"},
    DumpLayout{13, Access::At24c, 16, 128 / 16, 0, L"bytes"},
    DumpLayout{14, Access::At24c, 16, 256 / 16, 0, L"bytes"},
    DumpLayout{15, Access::At24c, 16, 512 / 16, 0, L"bytes"},
    DumpLayout{16, Access::At24c, 16, 1024 / 16, 0, L"bytes"},
    DumpLayout{17, Access::At24c, 16, 2048 / 16, 0, L"bytes"},
    DumpLayout{18, Access::At24c, 16, 4096 / 16, 0, L"bytes"},
    DumpLayout{19, Access::At24c, 16, 8192 / 16, 0, L"bytes"},
    DumpLayout{20, Access::At88sc1608, 8, (128 + 8 * 256) / 8, 0, L"bytes"},
    DumpLayout{22, Access::VicinityPages, 8, 32, 2, L"page"},
    DumpLayout{23, Access::VicinityPages, 8, 128, 2, L"page"},
    DumpLayout{26, Access::VicinityConfig, 4, 18, 1, L"block"},
    DumpLayout{27, Access::VicinityBytes, 1, 14, 1, L"block"},
    DumpLayout{28, Access::UltraLightC, 4, 44, 0, L"page"},
    DumpLayout{29, Access::UltraLight, 4, 42, 0, L"page"},
};

// AT88SC1608 configuration zone in 8-byte units: answer to reset, fab and
// manufacturer codes, lot history (0-2) are the maker's; identification (3)
// and issuer data (7) are data; access registers, cryptogram, secret seed
// and the password sets (4-6, 8-15) decide who may do what.
constexpr int kSc1608ConfigUnits = 16;
constexpr std::array<Area, kSc1608ConfigUnits> kSc1608ConfigAreas = {
    Area::Fixed, Area::Fixed, Area::Fixed, Area::Data, Area::Protected, Area::Protected,
    Area::Protected, Area::Data, Area::Protected, Area::Protected, Area::Protected,
    Area::Protected, Area::Protected, Area::Protected, Area::Protected, Area::Protected,
};

Area UltraLightArea(const DumpLayout& layout, int page) {
    if (page < 2) return Area::Fixed;                  // serial number
    if (page < 4) return Area::Protected;              // lock bytes, one-time page
    if (layout.unitCount > 16 && page >= 40) return Area::Protected;  // locks, counter, settings
    return Area::Data;
}

std::wstring Format(const wchar_t* format, int a, int b = 0, int c = 0) {
    wchar_t text[64];
    std::swprintf(text, 64, format, a, b, c);
    return text;
}

}  // namespace

const DumpLayout* FindDumpLayout(int code) {
    for (const DumpLayout& layout : kLayouts) {
        if (layout.code == code) return &layout;
    }
    return nullptr;
}

Area AreaOf(const DumpLayout& layout, int unit) {
    switch (layout.access) {
    case Access::Mifare:
        if (unit == 0) return Area::Fixed;
        return mifare::IsTrailer(unit) ? Area::Protected : Area::Data;
    case Access::UltraLight:
    case Access::UltraLightC:
        return UltraLightArea(layout, unit);
    case Access::VicinityConfig:
        return unit >= 13 && unit <= 16 ? Area::Protected : Area::Data;
    case Access::VicinityBytes:
        return unit < 8 ? Area::Fixed : Area::Data;
    case Access::Sr176:
        return unit < 4 || unit == 15 ? Area::Fixed : Area::Data;
    case Access::Srix4k:
        return unit < 7 ? Area::Protected : Area::Data;  // one-time bits, counters
    case Access::At88sc1608:
        return unit < kSc1608ConfigUnits ? kSc1608ConfigAreas[unit] : Area::Data;
    case Access::VicinityBlocks:
    case Access::VicinityPages:
    case Access::At24c:
        return Area::Data;
    }
    return Area::Fixed;
}

std::wstring UnitName(const DumpLayout& layout, int unit) {
    if (layout.access == Access::At24c) {
        return Format(L"bytes %04X-%04X", unit * layout.unitSize, (unit + 1) * layout.unitSize - 1);
    }
    if (layout.access == Access::At88sc1608) {
        if (unit < kSc1608ConfigUnits) return Format(L"configuration %02X-%02X", unit * 8, unit * 8 + 7);
        const int offset = (unit - kSc1608ConfigUnits) * 8;
        return Format(L"zone %d bytes %02X-%02X", offset / 256, offset % 256, offset % 256 + 7);
    }
    return std::wstring(layout.unitWord) + L' ' + std::to_wstring(unit);
}

}  // namespace dumps
