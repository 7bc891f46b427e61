#include "common/crc32.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

TEST(Crc32, MatchesTheStandardCheckValueAndContinuesAcrossPieces) {
    EXPECT_EQ(checksum::Crc32(Bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(checksum::Crc32(Bytes("")), 0u);
    EXPECT_EQ(checksum::Crc32(Bytes("56789"), checksum::Crc32(Bytes("1234"))), 0xCBF43926u);
}
