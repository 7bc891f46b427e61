// The cards of the built-in virtual reader, numbered as the library's own
// functions that place them in the field take them. The library and the
// program share this numbering; a number, once given, keeps its card.
#pragma once

#include <cstdint>

namespace virtual_cards {

enum class Card : uint8_t {
    // ISO 14443-A
    kUltraLight = 0,
    kUltraLightC = 1,
    kNtag203 = 2,
    kMifare1K = 3,
    kMifare4K = 4,
    kMifarePro = 5,   // ISO 14443-4 type A processor card
    kDesFire = 6,
    kShc1102 = 7,
    // ISO 14443-B
    kAt88Rf020 = 8,
    kSr176 = 9,
    kSrix4K = 10,
    kSmartCardB = 11, // ISO 14443-4 type B processor card
    kThr1064 = 12,
    // ISO 15693
    kICodeSli = 13,
    kTagIt = 14,
    kSrf55V01P = 15,
    kSrf55V02P = 16,
    kSrf55V10P = 17,
    kSri64 = 18,
    // Contact slot
    kAt24c01 = 19,
    kAt24c02 = 20,
    kAt24c04 = 21,
    kAt24c08 = 22,
    kAt24c16 = 23,
    kAt24c32 = 24,
    kAt24c64 = 25,
    kAt88sc1608 = 26,
    kContactCpu = 27,
};

inline constexpr int kCardCount = 28;

// Flags of a card's state, as the library reports it.
inline constexpr uint8_t kInField = 0x01;

}  // namespace virtual_cards
