#include "kelvar/cards/mifare_value.h"

namespace kelvar {

namespace {

uint32_t ReadLe32(std::span<const uint8_t, 16> block, int offset) {
    return static_cast<uint32_t>(block[offset]) | static_cast<uint32_t>(block[offset + 1]) << 8 |
           static_cast<uint32_t>(block[offset + 2]) << 16 |
           static_cast<uint32_t>(block[offset + 3]) << 24;
}

void WriteLe32(std::array<uint8_t, 16>& block, int offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) block[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::array<uint8_t, 16> EncodeValueBlock(int32_t value, uint8_t address) {
    const auto raw = static_cast<uint32_t>(value);
    std::array<uint8_t, 16> block{};
    WriteLe32(block, 0, raw);
    WriteLe32(block, 4, ~raw);
    WriteLe32(block, 8, raw);
    const auto inverted = static_cast<uint8_t>(~address);
    block[12] = address;
    block[13] = inverted;
    block[14] = address;
    block[15] = inverted;
    return block;
}

std::optional<MifareValue> DecodeValueBlock(std::span<const uint8_t, 16> block) {
    const uint32_t raw = ReadLe32(block, 0);
    if (ReadLe32(block, 4) != ~raw || ReadLe32(block, 8) != raw) return std::nullopt;
    const uint8_t address = block[12];
    const auto inverted = static_cast<uint8_t>(~address);
    if (block[13] != inverted || block[14] != address || block[15] != inverted) return std::nullopt;
    return MifareValue{static_cast<int32_t>(raw), address};
}

}  // namespace kelvar
