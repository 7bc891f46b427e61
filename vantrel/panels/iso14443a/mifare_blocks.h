// Block addressing and block images of Mifare Classic cards. Sectors 0 to 31
// have 4 blocks of 16 bytes; sectors 32 to 39 (4K cards only) have 16. The
// last block of a sector is its trailer: key A, access bits, key B.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "vantrel/toolkit/bytes.h"

inline constexpr std::size_t kMifareBlockSize = 16;
using MifareBlock = std::array<uint8_t, kMifareBlockSize>;

// Key type bytes of an authentication.
inline constexpr uint8_t kMifareKeyA = 0x60;
inline constexpr uint8_t kMifareKeyB = 0x61;
inline constexpr std::size_t kMifareKeySize = 6;

inline constexpr int kFirstLargeSector = 32;
inline constexpr int kLastLargeSector = 39;

// 4, or 16 from sector 32 on.
int BlocksInSector(int sector);
// Index of the trailer within the sector.
inline int TrailerIndex(int sector) { return BlocksInSector(sector) - 1; }
// The sector's first block, on which it is authenticated: 4 × s, and
// 128 + 16 × (s − 32) from sector 32 on. Block numbers are bytes.
uint8_t FirstBlockOfSector(int sector);
// The absolute block of index `index` within `sector`.
uint8_t BlockOfSector(int sector, int index);
// Block 0 of sector 0 holds the manufacturer data and is never written.
bool IsManufacturerBlock(int sector, int index);

// A data block: `bytes` from the start, the rest zero; extra bytes are dropped.
MifareBlock DataBlock(const Bytes& bytes);

// The three fields of a trailer.
inline constexpr std::size_t kTrailerKeyASize = 6;
inline constexpr std::size_t kAccessBitsSize = 4;
inline constexpr std::size_t kTrailerKeyBSize = 6;

struct TrailerFields {
    Bytes keyA;
    Bytes accessBits;
    Bytes keyB;
    friend bool operator==(const TrailerFields&, const TrailerFields&) = default;
};

// Key A to bytes 0-5, access bits to 6-9, key B to 10-15; each field padded
// with zeros to its width, or cut to it.
MifareBlock TrailerBlock(const TrailerFields& fields);
TrailerFields SplitTrailer(std::span<const uint8_t, kMifareBlockSize> block);

// Whether bytes 6 to 8 of a trailer hold each access condition bit together
// with its inverted copy. A card whose trailer is written without them
// locks the sector for good.
bool AccessBitsAreConsistent(const MifareBlock& trailer);
