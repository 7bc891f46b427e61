// Helpers shared by the Mifare Classic tests.
#pragma once

#include <cstdio>

#include <gtest/gtest.h>
#include <string>
#include <string_view>

#include "support/hex_bytes.h"
#include "common/mifare_access.h"
#include "kelvar/cards/mifare_classic.h"

namespace mifare_test {

using test_hex::Hex;
using test_hex::ToHex;

inline const kelvar::Bytes kFactoryKey = Hex("FFFFFFFFFFFF");

// Antenna off and on, request, anticollision and select, as the reader's
// card search does.
inline kelvar::Status Activate(kelvar::MifareClassicCard& card) {
    card.FieldReset();
    uint8_t atqa[2];
    uint8_t uid[kelvar::MifareClassicCard::kMaxUidSize];
    uint8_t length = 0;
    uint8_t sak = 0;
    if (auto s = card.Request(kelvar::MifareClassicCard::kRequestAll, atqa); s != kelvar::kOk) return s;
    if (auto s = card.Anticoll(uid, &length); s != kelvar::kOk) return s;
    return card.Select(uid, length, &sak);
}

inline kelvar::Status AuthA(kelvar::MifareClassicCard& card, int block, const kelvar::Bytes& key = kFactoryKey) {
    return card.Authenticate(kelvar::MifareClassicCard::kAuthKeyA, block, key.data());
}

inline kelvar::Status AuthB(kelvar::MifareClassicCard& card, int block, const kelvar::Bytes& key = kFactoryKey) {
    return card.Authenticate(kelvar::MifareClassicCard::kAuthKeyB, block, key.data());
}

// After a command the card refused: checks that the refusal sent the card
// back to idle, activates it again and authenticates the sector of `block`
// with key A `key`, so that a test can go on. Returns `status`.
inline kelvar::Status Refused(kelvar::MifareClassicCard& card, kelvar::Status status, int block,
                              const kelvar::Bytes& key = kFactoryKey) {
    EXPECT_FALSE(card.IsActive()) << "still active after status " << status;
    EXPECT_EQ(Activate(card), kelvar::kOk);
    EXPECT_EQ(AuthA(card, block, key), kelvar::kOk);
    return status;
}

// The block as hexadecimal text, or the failing status as "status N".
inline std::string ReadHex(kelvar::MifareClassicCard& card, int block) {
    uint8_t data[16];
    const kelvar::Status status = card.Read(block, data);
    if (status != kelvar::kOk) return "status " + std::to_string(status);
    return ToHex(data);
}

// A sector trailer: key A, the access bits of `conditions` with user byte 69, key B.
inline kelvar::Bytes Trailer(const kelvar::Bytes& keyA, const mifare::Conditions& conditions,
                             const kelvar::Bytes& keyB) {
    kelvar::Bytes trailer = keyA;
    const auto bits = mifare::EncodeAccessBits(conditions);
    trailer.insert(trailer.end(), bits.begin(), bits.end());
    trailer.push_back(0x69);
    trailer.insert(trailer.end(), keyB.begin(), keyB.end());
    return trailer;
}

}  // namespace mifare_test
