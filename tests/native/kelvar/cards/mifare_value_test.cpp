#include "kelvar/cards/mifare_value.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/native/kelvar/cards/mifare_test_support.h"

using namespace kelvar;

TEST(MifareValueBlock, ExtremesDecodeToWhatWasEncoded) {
    EXPECT_EQ(mifare_test::ToHex(EncodeValueBlock(-1, 0)), "FFFFFFFF00000000FFFFFFFF00FF00FF");
    for (int32_t value : {std::numeric_limits<int32_t>::min(), -1, 0, std::numeric_limits<int32_t>::max()}) {
        for (uint8_t address : {0x00, 0xFF}) {
            const auto decoded = DecodeValueBlock(EncodeValueBlock(value, address));
            ASSERT_TRUE(decoded) << value;
            EXPECT_EQ(decoded->value, value);
            EXPECT_EQ(decoded->address, address);
        }
    }
}

TEST(MifareValueBlock, AnySingleDamagedByteMakesTheBlockMalformed) {
    const auto good = EncodeValueBlock(123456, 9);
    for (size_t i = 0; i < good.size(); ++i) {
        auto damaged = good;
        damaged[i] ^= 0x10;
        EXPECT_FALSE(DecodeValueBlock(damaged)) << "byte " << i;
    }
    EXPECT_FALSE(DecodeValueBlock(std::array<uint8_t, 16>{}));
}
