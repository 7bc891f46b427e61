#include "common/mifare_access.h"

#include <gtest/gtest.h>

using namespace mifare;

TEST(MifareAccessBits, DecodesKnownSettings) {
    using Bits = std::array<uint8_t, 3>;
    EXPECT_EQ(DecodeAccessBits(Bits{0xFF, 0x07, 0x80}), (Conditions{0, 0, 0, 1}));  // transport
    EXPECT_EQ(DecodeAccessBits(Bits{0x7F, 0x07, 0x88}), (Conditions{0, 0, 0, 3}));
    EXPECT_EQ(DecodeAccessBits(Bits{0x08, 0x77, 0x8F}), (Conditions{6, 6, 6, 3}));  // value blocks
    EXPECT_EQ(EncodeAccessBits({2, 0, 0, 1}), (Bits{0xEF, 0x07, 0x81}));
}

TEST(MifareAccessBits, EveryCombinationSurvivesEncodeAndDecode) {
    for (int code = 0; code < 8 * 8 * 8 * 8; ++code) {
        const Conditions conditions{static_cast<uint8_t>(code & 7), static_cast<uint8_t>(code >> 3 & 7),
                                          static_cast<uint8_t>(code >> 6 & 7), static_cast<uint8_t>(code >> 9 & 7)};
        EXPECT_EQ(DecodeAccessBits(EncodeAccessBits(conditions)), conditions) << "code " << code;
    }
}

TEST(MifareAccessBits, InvertedCopiesThatDisagreeAreRejected) {
    for (int bit = 0; bit < 24; ++bit) {
        std::array<uint8_t, 3> damaged{0xFF, 0x07, 0x80};
        damaged[bit / 8] ^= static_cast<uint8_t>(1 << bit % 8);
        EXPECT_FALSE(DecodeAccessBits(damaged)) << "bit " << bit;
    }
    EXPECT_FALSE(DecodeAccessBits(std::array<uint8_t, 3>{0x00, 0x00, 0x00}));
}
