#include "vantrel/panels/iso14443a/mifare_blocks.h"

#include <algorithm>

namespace {

// Copies up to `width` bytes of `field` to `out` at `offset`; the rest stays zero.
void Place(MifareBlock& out, std::size_t offset, std::size_t width, const Bytes& field) {
    std::copy_n(field.begin(), std::min(width, field.size()), out.begin() + offset);
}

Bytes Slice(std::span<const uint8_t, mifare::kBlockSize> block, std::size_t offset, std::size_t width) {
    return Bytes(block.begin() + offset, block.begin() + offset + width);
}

}  // namespace

bool IsManufacturerBlock(int sector, int index) { return sector == 0 && index == 0; }

MifareBlock DataBlock(const Bytes& bytes) {
    MifareBlock block{};
    Place(block, 0, mifare::kBlockSize, bytes);
    return block;
}

MifareBlock TrailerBlock(const TrailerFields& fields) {
    MifareBlock block{};
    Place(block, 0, kTrailerKeyASize, fields.keyA);
    Place(block, kTrailerKeyASize, kAccessBitsSize, fields.accessBits);
    Place(block, kTrailerKeyASize + kAccessBitsSize, kTrailerKeyBSize, fields.keyB);
    return block;
}

TrailerFields SplitTrailer(std::span<const uint8_t, mifare::kBlockSize> block) {
    return {Slice(block, 0, kTrailerKeyASize), Slice(block, kTrailerKeyASize, kAccessBitsSize),
            Slice(block, kTrailerKeyASize + kAccessBitsSize, kTrailerKeyBSize)};
}
