// The block images the Mifare Classic panels write and read, and the block
// numbers they address (common/mifare_layout.h has the card's layout).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/mifare_access.h"
#include "common/mifare_layout.h"
#include "vantrel/toolkit/bytes.h"

using MifareBlock = std::array<uint8_t, mifare::kBlockSize>;

// Key type bytes of an authentication.
inline constexpr uint8_t kMifareKeyA = 0x60;
inline constexpr uint8_t kMifareKeyB = 0x61;
inline constexpr std::size_t kMifareKeySize = 6;

// Index of the trailer within the sector.
inline int TrailerIndex(int sector) { return mifare::BlocksInSector(sector) - 1; }
// The absolute block of index `index` within `sector`: a byte, as the reader takes it.
inline uint8_t BlockOfSector(int sector, int index) {
    return static_cast<uint8_t>(mifare::FirstBlockOfSector(sector) + index);
}
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
TrailerFields SplitTrailer(std::span<const uint8_t, mifare::kBlockSize> block);

// Whether bytes 6 to 8 of a trailer hold each access condition bit together
// with its inverted copy. A card whose trailer is written without them
// locks the sector for good.
inline bool AccessBitsAreConsistent(const MifareBlock& trailer) {
    return mifare::DecodeAccessBits(std::span<const uint8_t, 3>(trailer.data() + kTrailerKeyASize, 3)).has_value();
}
