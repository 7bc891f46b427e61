#include "common/mifare_access.h"

namespace mifare {

namespace {

constexpr uint8_t A = kKeyA;
constexpr uint8_t B = kKeyB;
constexpr uint8_t AB = kKeyAB;
constexpr uint8_t N = kNoKey;

// Indexed by C1*4 + C2*2 + C3.
constexpr std::array<DataRights, 8> kDataRights{{
    {AB, AB, AB, AB},  // 000 transport
    {AB, N, N, AB},    // 001 value block, debit only
    {AB, N, N, N},     // 010 read only
    {B, B, N, N},      // 011
    {AB, B, N, N},     // 100
    {B, N, N, N},      // 101
    {AB, B, B, AB},    // 110 value block
    {N, N, N, N},      // 111 blocked
}};

constexpr std::array<TrailerRights, 8> kTrailerRights{{
    {A, A, N, A, A},    // 000
    {A, A, A, A, A},    // 001 transport
    {N, A, N, A, N},    // 010
    {B, AB, B, N, B},   // 011
    {B, AB, N, N, B},   // 100
    {N, AB, B, N, N},   // 101
    {N, AB, N, N, N},   // 110
    {N, AB, N, N, N},   // 111
}};

int Bit(uint8_t byte, int bit) { return (byte >> bit) & 1; }

}  // namespace

std::optional<Conditions> DecodeAccessBits(std::span<const uint8_t, 3> bits) {
    // byte 6: ~C2 (high nibble), ~C1 (low); byte 7: C1, ~C3; byte 8: C3, C2
    const uint8_t c1 = bits[1] >> 4;
    const uint8_t c2 = bits[2] & 0x0F;
    const uint8_t c3 = bits[2] >> 4;
    const uint8_t notC1 = bits[0] & 0x0F;
    const uint8_t notC2 = bits[0] >> 4;
    const uint8_t notC3 = bits[1] & 0x0F;
    if ((c1 ^ notC1) != 0x0F || (c2 ^ notC2) != 0x0F || (c3 ^ notC3) != 0x0F) return std::nullopt;
    Conditions conditions{};
    for (int group = 0; group < 4; ++group) {
        conditions[group] =
            static_cast<uint8_t>(Bit(c1, group) << 2 | Bit(c2, group) << 1 | Bit(c3, group));
    }
    return conditions;
}

std::array<uint8_t, 3> EncodeAccessBits(const Conditions& conditions) {
    uint8_t c1 = 0, c2 = 0, c3 = 0;
    for (int group = 0; group < 4; ++group) {
        c1 |= static_cast<uint8_t>(Bit(conditions[group], 2) << group);
        c2 |= static_cast<uint8_t>(Bit(conditions[group], 1) << group);
        c3 |= static_cast<uint8_t>(Bit(conditions[group], 0) << group);
    }
    return {static_cast<uint8_t>((~c2 & 0x0F) << 4 | (~c1 & 0x0F)),
            static_cast<uint8_t>(c1 << 4 | (~c3 & 0x0F)),
            static_cast<uint8_t>(c3 << 4 | c2)};
}

DataRights DataBlockRights(uint8_t condition) { return kDataRights[condition & 7]; }

TrailerRights TrailerBlockRights(uint8_t condition) { return kTrailerRights[condition & 7]; }

bool KeyGrants(uint8_t mask, Key key, uint8_t trailerCondition) {
    if (key == Key::kA) return (mask & kKeyA) != 0;
    if (TrailerBlockRights(trailerCondition).keyBRead != kNoKey) return false;
    return (mask & kKeyB) != 0;
}

}  // namespace mifare
