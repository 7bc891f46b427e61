// The value-block format: value, inverted value, value (4 bytes each, least
// significant byte first), then address, inverted address, address, inverted
// address.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace kelvar {

struct MifareValue {
    int32_t value;
    uint8_t address;
};

std::array<uint8_t, 16> EncodeValueBlock(int32_t value, uint8_t address);

// Nothing when any copy disagrees with the others.
std::optional<MifareValue> DecodeValueBlock(std::span<const uint8_t, 16> block);

}  // namespace kelvar
