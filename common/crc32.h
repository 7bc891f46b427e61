// CRC-32 (the reflected 0xEDB88320 polynomial of zip and Ethernet): the card
// images' checksum and the network frames' one.
#pragma once

#include <cstdint>
#include <span>

namespace checksum {

// The CRC of `data`, continued from `crc` (the CRC of what came before it).
uint32_t Crc32(std::span<const uint8_t> data, uint32_t crc = 0);

}  // namespace checksum
