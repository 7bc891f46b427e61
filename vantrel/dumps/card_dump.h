// A card's memory as a dump holds it: one entry a unit (block or page), each
// read or not, with the keys that opened each Mifare sector.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vantrel/dumps/dump_layout.h"
#include "vantrel/toolkit/bytes.h"

namespace dumps {

struct DumpUnit {
    Bytes data;     // unitSize bytes; zeros when not read
    bool read = false;
    Bytes status;   // block security status (statusBytes), when read
    friend bool operator==(const DumpUnit&, const DumpUnit&) = default;
};

using MifareKey = std::array<uint8_t, 6>;

// The key that opened a Mifare sector.
struct SectorKey {
    int sector = 0;
    bool keyB = false;
    MifareKey key{};
    friend bool operator==(const SectorKey&, const SectorKey&) = default;
};

struct CardDump {
    int code = -1;             // card type code
    std::wstring cardName;     // as the title shows it
    Bytes uid;                 // empty when not known
    std::wstring time;         // local time of the read, "2024-05-01 14:03:59"
    std::vector<DumpUnit> units;
    std::vector<SectorKey> keys;  // Mifare only, by sector

    friend bool operator==(const CardDump&, const CardDump&) = default;
};

// `layout.unitCount` unread units of zeros.
CardDump EmptyDump(const DumpLayout& layout, std::wstring cardName);

int UnreadCount(const CardDump& dump);
// The bytes of every unit in order, unread ones as zeros.
Bytes MemoryImage(const CardDump& dump);

// The key found for `sector`, if any.
const SectorKey* KeyOfSector(const CardDump& dump, int sector);

// The UID a memory image names where the card keeps it in memory: the
// UltraLight family's pages 0 and 1, a Mifare block 0 whose fifth byte checks
// a 4-byte UID, the SR176's blocks 0 to 3. Empty for the others.
Bytes UidInMemory(const DumpLayout& layout, const CardDump& dump);

// "2024-05-01 14:03:59"
std::wstring DumpTime(int year, int month, int day, int hour, int minute, int second);

}  // namespace dumps
