#include "common/at88sc_cipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/hex_bytes.h"

namespace {

at88sc::Block Block(const char* hex) {
    const auto bytes = test_hex::Hex(hex);
    at88sc::Block block{};
    std::copy_n(bytes.begin(), block.size(), block.begin());
    return block;
}

std::string Answer(const char* cryptogram, const char* seed, const char* q0) {
    return test_hex::ToHex(at88sc::Answer(Block(cryptogram), Block(seed), Block(q0)));
}

}  // namespace

// Expected answers computed by hand-checked reference code written apart
// from this implementation.
TEST(At88scCipherTest, AnswersMatchTheReference) {
    EXPECT_EQ(Answer("0000000000000000", "0000000000000000", "0000000000000000"), "0000000000000000");
    EXPECT_EQ(Answer("0000000000000000", "0000000000000000", "0000000000000001"), "060E965FF22A2412");
    EXPECT_EQ(Answer("0123456789ABCDEF", "FEDCBA9876543210", "1122334455667788"), "9ECEB8E6974551D5");
    EXPECT_EQ(Answer("FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF"), "0000000000000000");
    // An M sum of exactly 127 stays 127; one of 254 reduces to 127, not to 0.
    EXPECT_EQ(Answer("0AC097E0A37B1313", "E93D5C95E1DB9B21", "2387F76443E1047B"), "EB0A7F4B8486F58D");
    EXPECT_EQ(Answer("7CFFFFFF0C37B17F", "EBFFCFB5041412B2", "615E96222C2BB879"), "738E7E3F9CE207D7");
}

TEST(At88scCipherTest, AllZeroStateStaysZero) {
    at88sc::Cipher cipher;
    for (int i = 0; i < 24; ++i) cipher.Feed(0);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(cipher.NextNibble(), 0) << i;
}
