// What a dump of each card type holds: its units (the blocks or pages the
// card is read and written in), their size, and how writing a file back
// treats each of them.
#pragma once

#include <string>

namespace dumps {

// How the card is reached; each has its read and write plan.
enum class Access {
    Mifare,           // sectors opened by key A or B
    UltraLight,       // 4-byte pages
    UltraLightC,      // 4-byte pages, authentication first when a key is given
    VicinityBlocks,   // ISO 15693 blocks, read in chunks, with block security status
    VicinityConfig,   // 18 blocks; block 15 unreadable, block 16 by custom request
    VicinityPages,    // 8-byte pages written with a read-back
    VicinityBytes,    // one-byte blocks read with their status byte
    Sr176,            // 2-byte blocks
    Srix4k,           // 4-byte blocks and an 8-byte UID
    At24c,            // the whole memory, 16 bytes a unit
    At88sc1608,       // configuration zone and eight user zones, 8 bytes a unit
};

// How writing a file back treats a unit.
enum class Area {
    Data,       // written when it differs from the card
    Protected,  // lock bytes, one-time-programmable and counter areas, trailers,
                // configuration: written only when the operator asks for it
    Fixed,      // the manufacturer's block or page and other read-only units: never
};

struct DumpLayout {
    int code;          // card type code
    Access access;
    int unitSize;      // bytes
    int unitCount;
    int statusBytes;   // block security status bytes a unit (ISO 15693), else 0
    const wchar_t* unitWord;

    int TotalBytes() const { return unitSize * unitCount; }
};

// The layout of card type `code`, or null for a type without dumps.
const DumpLayout* FindDumpLayout(int code);

Area AreaOf(const DumpLayout& layout, int unit);
// "block 12", "page 3", "bytes 0120-012F", "zone 2 bytes 40-47" ...
std::wstring UnitName(const DumpLayout& layout, int unit);

}  // namespace dumps
