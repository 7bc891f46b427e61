// The 16-bit CRC that ISO 14443-B and ISO 15693 frames end with (ISO/IEC
// 13239: reflected polynomial 0x8408, preset FFFF, ones' complement), sent
// least significant byte first.
#pragma once

#include <cstdint>
#include <span>

#include "kelvar/store/image_store.h"

namespace kelvar {

uint16_t FrameCrc(std::span<const uint8_t> bytes);
// `frame` followed by its CRC.
Bytes WithFrameCrc(std::span<const uint8_t> frame);
// Whether the last two bytes of `frame` are the CRC of the bytes before them.
bool CheckFrameCrc(std::span<const uint8_t> frame);

}  // namespace kelvar
