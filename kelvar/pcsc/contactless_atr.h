// What a contactless reader's ATR says of the card in its field: a storage
// card's standard and card name (the ATR a PC/SC reader builds for it), or an
// ISO 14443-4 card's historical bytes; and the answers the library gives for
// it where the reader does not pass the card's own on.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "kelvar/pcsc/pcsc_layer.h"

namespace kelvar::pcsc {

enum class CardFamily { kNone, kMifareClassic, kUltraLight, kIsoDep, kVicinity, kOtherStorage };

// Card names of the storage card ATR.
inline constexpr uint16_t kNameMifare1K = 0x0001;
inline constexpr uint16_t kNameMifare4K = 0x0002;
inline constexpr uint16_t kNameUltraLight = 0x0003;
inline constexpr uint16_t kNameMifareMini = 0x0026;
inline constexpr uint16_t kNameUltraLightC = 0x003A;

// Standards of the storage card ATR.
inline constexpr uint8_t kStandardIso14443A3 = 0x03;
inline constexpr uint8_t kStandardIso15693Part3 = 0x0B;

struct ContactlessCard {
    CardFamily family = CardFamily::kNone;
    uint8_t standard = 0;  // storage cards
    uint16_t name = 0;     // storage cards
    Bytes historical;      // ISO 14443-4 cards
};

ContactlessCard ClassifyAtr(std::span<const uint8_t> atr);

// ATQA (first byte first) and SAK of a storage card by its name; nothing for
// a name without them.
struct TypeAIdentity {
    std::array<uint8_t, 2> atqa;
    uint8_t sak;
};
std::optional<TypeAIdentity> IdentityOf(const ContactlessCard& card, size_t uidSize);

// An ATS made from the historical bytes when the reader gives no ATS:
// TL, T0 = 0x78 (TA, TB and TC follow, FSCI 8), TA = 0x80 (106 kbit/s only),
// TB = 0x70 (FWI 7, SFGI 0), TC = 0x02 (CID), then the historical bytes.
Bytes SynthesizedAts(std::span<const uint8_t> historical);

}  // namespace kelvar::pcsc
