// Block 16 of the SRF55V01P: bytes 2 and 3 change only through an addressed
// custom ISO 15693 request, one byte a request.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr int kConfigBlock = 16;
inline constexpr std::size_t kConfigFrameSize = 16;

struct ConfigByteChange {
    uint8_t index;  // 2 or 3
    uint8_t value;
};

// The bytes of `row` (block 16 as edited) that differ from `copy` (as the
// tag holds it), byte 2 first.
std::vector<ConfigByteChange> ConfigBlockChanges(std::span<const uint8_t> copy, std::span<const uint8_t> row);

// The request for one byte: flags 0x22, command 0xA0, maker 0x05, the 8-byte
// UID as the inventory gave it, 0x90 0x10 0x00, the byte's index, its value.
std::array<uint8_t, kConfigFrameSize> ConfigByteFrame(std::span<const uint8_t> uid, ConfigByteChange change);

// Whether an answer to the request reports success: a flags byte without
// the error flag.
bool ConfigAnswerIsSuccess(std::span<const uint8_t> answer);
