#include "vantrel/panels/iso14443a/mifare_blocks.h"

#include <algorithm>

namespace {

// Copies up to `width` bytes of `field` to `out` at `offset`; the rest stays zero.
void Place(MifareBlock& out, std::size_t offset, std::size_t width, const Bytes& field) {
    std::copy_n(field.begin(), std::min(width, field.size()), out.begin() + offset);
}

Bytes Slice(std::span<const uint8_t, kMifareBlockSize> block, std::size_t offset, std::size_t width) {
    return Bytes(block.begin() + offset, block.begin() + offset + width);
}

}  // namespace

int BlocksInSector(int sector) { return sector >= kFirstLargeSector ? 16 : 4; }

uint8_t FirstBlockOfSector(int sector) {
    if (sector >= kFirstLargeSector) return static_cast<uint8_t>(((sector + 8) * 16) % 256);
    return static_cast<uint8_t>(4 * sector);
}

uint8_t BlockOfSector(int sector, int index) {
    return static_cast<uint8_t>(FirstBlockOfSector(sector) + index);
}

bool IsManufacturerBlock(int sector, int index) { return sector == 0 && index == 0; }

MifareBlock DataBlock(const Bytes& bytes) {
    MifareBlock block{};
    Place(block, 0, kMifareBlockSize, bytes);
    return block;
}

MifareBlock TrailerBlock(const TrailerFields& fields) {
    MifareBlock block{};
    Place(block, 0, kTrailerKeyASize, fields.keyA);
    Place(block, kTrailerKeyASize, kAccessBitsSize, fields.accessBits);
    Place(block, kTrailerKeyASize + kAccessBitsSize, kTrailerKeyBSize, fields.keyB);
    return block;
}

TrailerFields SplitTrailer(std::span<const uint8_t, kMifareBlockSize> block) {
    return {Slice(block, 0, kTrailerKeyASize), Slice(block, kTrailerKeyASize, kAccessBitsSize),
            Slice(block, kTrailerKeyASize + kAccessBitsSize, kTrailerKeyBSize)};
}

bool AccessBitsAreConsistent(const MifareBlock& trailer) {
    const uint8_t byte6 = trailer[kTrailerKeyASize];
    const uint8_t byte7 = trailer[kTrailerKeyASize + 1];
    const uint8_t byte8 = trailer[kTrailerKeyASize + 2];
    const int c1 = byte7 >> 4;
    const int c2 = byte8 & 0x0F;
    const int c3 = byte8 >> 4;
    const int notC1 = byte6 & 0x0F;
    const int notC2 = byte6 >> 4;
    const int notC3 = byte7 & 0x0F;
    return (c1 ^ notC1) == 0x0F && (c2 ^ notC2) == 0x0F && (c3 ^ notC3) == 0x0F;
}
