// Access conditions of a Mifare Classic sector, for the program and the
// virtual cards alike: the three access-bit bytes of
// the trailer (bytes 6 to 8) hold C1 C2 C3 for each of the four groups, once
// plain and once inverted.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace mifare {

enum class Key { kA, kB };

// Which keys may perform an operation.
enum KeyMask : uint8_t {
    kNoKey = 0,
    kKeyA = 1,
    kKeyB = 2,
    kKeyAB = kKeyA | kKeyB,
};

// One access condition per group (0 to 2 data, 3 trailer), each the bits
// C1 C2 C3 as the number C1*4 + C2*2 + C3.
using Conditions = std::array<uint8_t, 4>;

// Nothing when the inverted copies do not match the plain bits.
std::optional<Conditions> DecodeAccessBits(std::span<const uint8_t, 3> bits);
std::array<uint8_t, 3> EncodeAccessBits(const Conditions& conditions);

struct DataRights {
    uint8_t read;
    uint8_t write;
    uint8_t increment;
    uint8_t decrement;  // also transfer and restore
};

struct TrailerRights {
    uint8_t keyAWrite;   // key A itself is never readable
    uint8_t accessRead;  // access bits and the general-purpose byte
    uint8_t accessWrite;
    uint8_t keyBRead;
    uint8_t keyBWrite;
};

DataRights DataBlockRights(uint8_t condition);
TrailerRights TrailerBlockRights(uint8_t condition);

// Where key B is readable it is plain data and cannot grant any access.
bool KeyGrants(uint8_t mask, Key key, uint8_t trailerCondition);

}  // namespace mifare
