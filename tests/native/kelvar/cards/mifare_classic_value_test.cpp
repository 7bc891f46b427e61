#include "kelvar/cards/mifare_classic.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/native/kelvar/cards/mifare_test_support.h"

using namespace kelvar;
using namespace mifare_test;

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

class MifareClassicValue : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Activate(card_), kOk);
        ASSERT_EQ(AuthA(card_, 4), kOk);
    }

    int32_t ValueOf(int block) {
        int32_t value = 0;
        EXPECT_EQ(card_.ReadValue(block, &value), kOk);
        return value;
    }

    ImageStore store_;
    MifareClassicCard card_{mifare::CardSize::k1K, Hex("DEADBEEF"), store_, "mifare1k.img"};
};

}  // namespace

TEST_F(MifareClassicValue, InitializeHundredOnSectorOneBlockZero) {
    ASSERT_EQ(card_.InitValue(4, 100), kOk);
    EXPECT_EQ(ValueOf(4), 100);
    EXPECT_EQ(ReadHex(card_, 4), "640000009BFFFFFF6400000004FB04FB");
}

TEST_F(MifareClassicValue, IncrementAndDecrementKeepTheAddressByte) {
    ASSERT_EQ(card_.InitValue(5, 100), kOk);
    EXPECT_EQ(card_.Increment(5, 50), kOk);
    EXPECT_EQ(ValueOf(5), 150);
    EXPECT_EQ(card_.Decrement(5, 200), kOk);
    EXPECT_EQ(ValueOf(5), -50);
    EXPECT_EQ(card_.Increment(5, 0), kOk);
    EXPECT_EQ(ReadHex(card_, 5), "CEFFFFFF31000000CEFFFFFF05FA05FA");
}

TEST_F(MifareClassicValue, OverflowIsRefusedAndChangesNothing) {
    ASSERT_EQ(card_.InitValue(6, kMax - 1), kOk);
    EXPECT_EQ(card_.Increment(6, 1), kOk);
    const std::string atMax = ReadHex(card_, 6);
    EXPECT_EQ(Refused(card_, card_.Increment(6, 1), 4), kValueOverflow);
    EXPECT_EQ(Refused(card_, card_.Increment(6, kMax), 4), kValueOverflow);
    EXPECT_EQ(ReadHex(card_, 6), atMax);
    // the whole range down to the minimum is usable
    EXPECT_EQ(card_.Decrement(6, kMax), kOk);
    EXPECT_EQ(card_.Decrement(6, kMax), kOk);
    EXPECT_EQ(card_.Decrement(6, 1), kOk);
    EXPECT_EQ(ValueOf(6), kMin);
    EXPECT_EQ(Refused(card_, card_.Decrement(6, 1), 4), kValueOverflow);
    EXPECT_EQ(ValueOf(6), kMin);
}

TEST_F(MifareClassicValue, NegativeOperandsAreRefused) {
    ASSERT_EQ(card_.InitValue(5, 10), kOk);
    EXPECT_EQ(Refused(card_, card_.Increment(5, -1), 4), kBadArgument);
    EXPECT_EQ(Refused(card_, card_.Decrement(5, -1), 4), kBadArgument);
    EXPECT_EQ(Refused(card_, card_.Decrement(5, kMin), 4), kBadArgument);
    EXPECT_EQ(ValueOf(5), 10);
}

TEST_F(MifareClassicValue, BlocksNotInValueFormatAreRefused) {
    int32_t value = 7;
    EXPECT_EQ(Refused(card_, card_.ReadValue(5, &value), 4), kNotValueBlock);  // all zeros
    EXPECT_EQ(value, 7);
    EXPECT_EQ(Refused(card_, card_.Increment(5, 1), 4), kNotValueBlock);
    EXPECT_EQ(Refused(card_, card_.Decrement(5, 1), 4), kNotValueBlock);
    // one broken copy of the address
    ASSERT_EQ(card_.WriteBlock(6, Hex("640000009BFFFFFF6400000006F906FA").data()), kOk);
    EXPECT_EQ(Refused(card_, card_.ReadValue(6, &value), 4), kNotValueBlock);
    EXPECT_EQ(Refused(card_, card_.Increment(6, 1), 4), kNotValueBlock);
    EXPECT_EQ(ReadHex(card_, 6), "640000009BFFFFFF6400000006F906FA");
    // a trailer is never a value block
    EXPECT_EQ(Refused(card_, card_.InitValue(7, 1), 4), kNotValueBlock);
    EXPECT_EQ(Refused(card_, card_.ReadValue(7, &value), 4), kNotValueBlock);
    EXPECT_EQ(Refused(card_, card_.Increment(7, 1), 4), kNotValueBlock);
    EXPECT_EQ(ReadHex(card_, 7), "000000000000FF078069FFFFFFFFFFFF");
}
