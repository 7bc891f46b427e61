#include "kelvar/pcsc/contactless_atr.h"

#include <algorithm>

namespace kelvar::pcsc {

namespace {

// 3B 8n 80 01: T0 with TD1, TD1 = 80 (TD2, T=0), TD2 = 01 (T=1), then the
// historical bytes and TCK.
constexpr size_t kHistoricalAt = 4;
// Storage cards: 80 4F 0C, the registered application provider A0 00 00 03 06,
// the standard, the card name (2 bytes), 4 bytes RFU.
constexpr uint8_t kStoragePrefix[] = {0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00, 0x03, 0x06};
constexpr size_t kStorageHistorical = 15;

}  // namespace

ContactlessCard ClassifyAtr(std::span<const uint8_t> atr) {
    ContactlessCard card;
    if (atr.size() < kHistoricalAt + 1 || atr[0] != 0x3B || (atr[1] & 0xF0) != 0x80 || atr[2] != 0x80 ||
        atr[3] != 0x01) {
        return card;
    }
    const size_t count = atr[1] & 0x0F;
    if (atr.size() != kHistoricalAt + count + 1) return card;
    const auto historical = atr.subspan(kHistoricalAt, count);
    if (count == kStorageHistorical && std::equal(std::begin(kStoragePrefix), std::end(kStoragePrefix),
                                                  historical.begin())) {
        card.standard = historical[8];
        card.name = static_cast<uint16_t>(historical[9] << 8 | historical[10]);
        if (card.standard == kStandardIso15693Part3) {
            card.family = CardFamily::kVicinity;
        } else if (card.standard != kStandardIso14443A3) {
            card.family = CardFamily::kOtherStorage;
        } else if (card.name == kNameMifare1K || card.name == kNameMifare4K || card.name == kNameMifareMini) {
            card.family = CardFamily::kMifareClassic;
        } else if (card.name == kNameUltraLight || card.name == kNameUltraLightC) {
            card.family = CardFamily::kUltraLight;
        } else {
            card.family = CardFamily::kOtherStorage;
        }
        return card;
    }
    card.family = CardFamily::kIsoDep;
    card.historical.assign(historical.begin(), historical.end());
    return card;
}

std::optional<TypeAIdentity> IdentityOf(const ContactlessCard& card, size_t uidSize) {
    switch (card.family) {
        case CardFamily::kMifareClassic:
            if (card.name == kNameMifare4K) return TypeAIdentity{{0x02, 0x00}, 0x18};
            if (card.name == kNameMifareMini) return TypeAIdentity{{0x04, 0x00}, 0x09};
            return TypeAIdentity{{uint8_t(uidSize == 7 ? 0x44 : 0x04), 0x00}, 0x08};
        case CardFamily::kUltraLight: return TypeAIdentity{{0x44, 0x00}, 0x00};
        case CardFamily::kIsoDep: return TypeAIdentity{{uint8_t(uidSize == 7 ? 0x44 : 0x04), 0x00}, 0x20};
        default: return std::nullopt;
    }
}

Bytes SynthesizedAts(std::span<const uint8_t> historical) {
    constexpr uint8_t kPrefix[] = {0x78, 0x80, 0x70, 0x02};
    Bytes ats(1 + sizeof kPrefix + historical.size());
    ats[0] = static_cast<uint8_t>(ats.size());
    std::copy(std::begin(kPrefix), std::end(kPrefix), ats.begin() + 1);
    std::copy(historical.begin(), historical.end(), ats.begin() + 1 + sizeof kPrefix);
    return ats;
}

}  // namespace kelvar::pcsc
