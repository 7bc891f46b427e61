#include "kelvar/reader/frame_crc.h"

namespace kelvar {

uint16_t FrameCrc(std::span<const uint8_t> bytes) {
    uint16_t crc = 0xFFFF;
    for (const uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) != 0 ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    return static_cast<uint16_t>(~crc);
}

Bytes WithFrameCrc(std::span<const uint8_t> frame) {
    Bytes out(frame.begin(), frame.end());
    const uint16_t crc = FrameCrc(frame);
    out.push_back(static_cast<uint8_t>(crc));
    out.push_back(static_cast<uint8_t>(crc >> 8));
    return out;
}

bool CheckFrameCrc(std::span<const uint8_t> frame) {
    if (frame.size() < 2) return false;
    const uint16_t crc = FrameCrc(frame.first(frame.size() - 2));
    return frame[frame.size() - 2] == static_cast<uint8_t>(crc) &&
           frame[frame.size() - 1] == static_cast<uint8_t>(crc >> 8);
}

}  // namespace kelvar
