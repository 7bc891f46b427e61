// The AT88SC secure memory cards' authentication cipher: three shift
// registers fed with the card's cryptogram, the secret seed and the host's
// challenge, then run to produce the answer. Host and card compute the same
// answer, so the program and the virtual card share this code.
#pragma once

#include <array>
#include <cstdint>

namespace at88sc {

using Block = std::array<uint8_t, 8>;

class Cipher {
public:
    // Every register cell zero.
    Cipher() = default;

    // Feeds one byte: one step with inputs taken from its bits.
    void Feed(uint8_t byte);
    // One step without input, then the output nibble.
    uint8_t NextNibble();
    // Two nibbles, keeping the second, twice: high half, then low half.
    uint8_t NextByte();

private:
    void Step(uint8_t r, uint8_t l, uint8_t m);

    std::array<uint8_t, 5> l_{};  // 5 cells of 5 bits
    std::array<uint8_t, 7> m_{};  // 7 cells of 7 bits
    std::array<uint8_t, 7> r_{};  // 7 cells of 5 bits
};

// Where the AT88SC1608's configuration zone (zone 8) keeps its secrets: the
// secret seed Gc, then the eight password sets up to the zone's end.
inline constexpr uint8_t kConfigZone = 8;
inline constexpr int kSeedAddress = 0x30;
inline constexpr int kSeedEnd = 0x38;
inline constexpr int kPasswordSetsAddress = 0x40;
inline constexpr int kPasswordSetsEnd = 0x80;

// The answer Q1 to the challenge `q0`, from the 8 bytes `cryptogram` read at
// configuration address 0x28 and the secret seed `seed`.
Block Answer(const Block& cryptogram, const Block& seed, const Block& q0);

}  // namespace at88sc
