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
    // All-ones registers sum to 62, which reduces to 31 and not to 0.
    EXPECT_EQ(Answer("FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF"), "0000000000000000");
}

TEST(At88scCipherTest, AllZeroStateStaysZero) {
    at88sc::Cipher cipher;
    for (int i = 0; i < 24; ++i) cipher.Feed(0);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(cipher.NextNibble(), 0) << i;
}
