#include "kelvar/cards/sam_card.h"

#include <utility>

#include "kelvar/crypto/des.h"

namespace kelvar {

namespace {

constexpr std::array<uint8_t, SamCard::kAtrSize> kAtr9600 = {0x3B, 0x19, 0x11, 0x4B, 0x56, 0x2D,
                                                             0x53, 0x41, 0x4D, 0x2D, 0x30, 0x31};
constexpr uint8_t kSpeed38400 = 0x13;

constexpr uint8_t kInsInternalAuthenticate = 0x88;
constexpr size_t kHeaderSize = 4;
constexpr size_t kChallengeSize = 8;

Bytes StatusWord(uint16_t status, Bytes data = {}) {
    data.push_back(static_cast<uint8_t>(status >> 8));
    data.push_back(static_cast<uint8_t>(status));
    return data;
}

}  // namespace

SamCard::SamCard(RandomBytes random) : files_(FileLayout{}, std::move(random)) {}

std::array<uint8_t, SamCard::kAtrSize> SamCard::Reset(uint8_t baud) {
    files_.Reset();
    auto atr = kAtr9600;
    if (baud == kBaud38400) atr[kSpeedByte] = kSpeed38400;
    return atr;
}

Bytes SamCard::Respond(std::span<const uint8_t> apdu) {
    if (apdu.size() >= kHeaderSize && apdu[0] == 0x00 && apdu[1] == kInsInternalAuthenticate) {
        return InternalAuthenticate(apdu);
    }
    return files_.Respond(apdu).bytes;
}

Bytes SamCard::InternalAuthenticate(std::span<const uint8_t> apdu) const {
    // Header, Lc 08, the challenge and an optional Le of 00 or 08.
    const size_t withoutLe = kHeaderSize + 1 + kChallengeSize;
    if (apdu.size() != withoutLe && apdu.size() != withoutLe + 1) return StatusWord(sw::kWrongLength);
    if (apdu[kHeaderSize] != kChallengeSize) return StatusWord(sw::kWrongLength);
    if (apdu.size() > withoutLe && apdu.back() != 0x00 && apdu.back() != kChallengeSize) {
        return StatusWord(sw::kWrongLength);
    }
    if (apdu[2] != 0x00 || apdu[3] != 0x00) return StatusWord(sw::kBadP1P2);
    const TripleDes cipher{std::span<const uint8_t, 16>(kAuthenticationKey)};
    Bytes answer(kChallengeSize);
    cipher.EncryptEcb(apdu.subspan(kHeaderSize + 1, kChallengeSize), answer);
    return StatusWord(sw::kOk, std::move(answer));
}

}  // namespace kelvar
