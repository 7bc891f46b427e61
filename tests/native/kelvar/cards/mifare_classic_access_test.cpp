#include "kelvar/cards/mifare_classic.h"

#include <gtest/gtest.h>

#include "common/mifare_access.h"
#include "tests/native/kelvar/cards/mifare_test_support.h"

using namespace kelvar;
using namespace mifare_test;

namespace {

const Bytes kKeyA1 = Hex("A0A1A2A3A4A5");
const Bytes kKeyB1 = Hex("B0B1B2B3B4B5");
const std::string kZeros(32, '0');

class MifareClassicAccess : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Activate(card_), kOk); }

    Status WriteHex(int block, std::string_view hex) { return card_.WriteBlock(block, Hex(hex).data()); }

    ImageStore store_;
    MifareClassicCard card_{mifare::CardSize::k1K, Hex("DEADBEEF"), store_, "mifare1k.img"};
};

}  // namespace

TEST_F(MifareClassicAccess, WriteForbiddenByAccessBitsFailsAndLeavesDataUnchanged) {
    ASSERT_EQ(AuthA(card_, 8), kOk);
    ASSERT_EQ(WriteHex(9, "99999999999999999999999999999999"), kOk);
    // block 9 (group 1) read-only, block 10 (group 2) never accessible
    ASSERT_EQ(card_.WriteBlock(11, Trailer(kFactoryKey, {0, 2, 7, 1}, kFactoryKey).data()), kOk);

    EXPECT_EQ(Refused(card_, WriteHex(9, "00000000000000000000000000000001"), 8), kAccessDenied);
    EXPECT_EQ(Refused(card_, card_.InitValue(9, 1), 8), kAccessDenied);
    EXPECT_EQ(Refused(card_, card_.Decrement(9, 1), 8), kAccessDenied);
    EXPECT_EQ(ReadHex(card_, 9), "99999999999999999999999999999999");
    EXPECT_EQ(ReadHex(card_, 10), "status 18");  // kAccessDenied
    ASSERT_EQ(Activate(card_), kOk);
    ASSERT_EQ(AuthA(card_, 8), kOk);
    EXPECT_EQ(Refused(card_, WriteHex(10, "01"), 8), kAccessDenied);
    EXPECT_EQ(WriteHex(8, "88888888888888888888888888888888"), kOk);
    EXPECT_EQ(ReadHex(card_, 8), "88888888888888888888888888888888");
}

TEST_F(MifareClassicAccess, ValueSectorLetsKeyADebitButOnlyKeyBCredit) {
    ASSERT_EQ(AuthA(card_, 12), kOk);
    ASSERT_EQ(card_.InitValue(13, 100), kOk);
    ASSERT_EQ(card_.WriteBlock(15, Trailer(kKeyA1, {6, 6, 6, 3}, kKeyB1).data()), kOk);
    EXPECT_EQ(ReadHex(card_, 15), "00000000000008778F69000000000000");

    ASSERT_EQ(Activate(card_), kOk);
    EXPECT_EQ(AuthA(card_, 12), kAuthFailed);
    ASSERT_EQ(Activate(card_), kOk);
    ASSERT_EQ(AuthA(card_, 12, kKeyA1), kOk);
    int32_t value = 0;
    EXPECT_EQ(card_.Decrement(13, 30), kOk);
    EXPECT_EQ(Refused(card_, card_.Increment(13, 10), 12, kKeyA1), kAccessDenied);
    EXPECT_EQ(Refused(card_, card_.InitValue(13, 1000), 12, kKeyA1), kAccessDenied);
    EXPECT_EQ(Refused(card_, WriteHex(13, kZeros), 12, kKeyA1), kAccessDenied);
    ASSERT_EQ(card_.ReadValue(13, &value), kOk);
    EXPECT_EQ(value, 70);
    // key B is not readable here, so it reads as zeros
    EXPECT_EQ(ReadHex(card_, 15), "00000000000008778F69000000000000");
    EXPECT_EQ(Refused(card_, card_.WriteBlock(15, Trailer(kFactoryKey, {0, 0, 0, 1}, kFactoryKey).data()), 12, kKeyA1),
              kAccessDenied);

    ASSERT_EQ(AuthB(card_, 12, kKeyB1), kOk);
    EXPECT_EQ(card_.Increment(13, 10), kOk);
    ASSERT_EQ(card_.ReadValue(13, &value), kOk);
    EXPECT_EQ(value, 80);
    EXPECT_EQ(card_.InitValue(14, -5), kOk);
}

TEST_F(MifareClassicAccess, ReadableKeyBAuthenticatesButGrantsNoAccess) {
    // Each refusal sends the card back: activate and authenticate with key B again.
    const auto withKeyB = [&] {
        EXPECT_EQ(Activate(card_), kOk);
        EXPECT_EQ(AuthB(card_, 4), kOk);
    };
    withKeyB();
    EXPECT_EQ(ReadHex(card_, 4), "status 18");
    withKeyB();
    EXPECT_EQ(ReadHex(card_, 7), "status 18");
    withKeyB();
    EXPECT_EQ(WriteHex(5, "01"), kAccessDenied);
    withKeyB();
    EXPECT_EQ(Refused(card_, card_.InitValue(5, 1), 4), kAccessDenied);
    EXPECT_EQ(ReadHex(card_, 5), kZeros);
}

TEST_F(MifareClassicAccess, MalformedAccessBitsAreNeverWritten) {
    ASSERT_EQ(AuthA(card_, 4), kOk);
    EXPECT_EQ(Refused(card_, WriteHex(7, "A0A1A2A3A4A5FF078169B0B1B2B3B4B5"), 4), kAccessDenied);
    EXPECT_EQ(Refused(card_, WriteHex(7, "A0A1A2A3A4A500000000B0B1B2B3B4B5"), 4), kAccessDenied);
    EXPECT_EQ(ReadHex(card_, 7), "000000000000FF078069FFFFFFFFFFFF");
    // the keys were not taken either
    ASSERT_EQ(Activate(card_), kOk);
    EXPECT_EQ(AuthA(card_, 4), kOk);
}

TEST_F(MifareClassicAccess, TrailerPartsTheKeyMayNotWriteMustStayAsTheyAre) {
    // trailer 100: key B writes both keys, nobody writes the access bits
    const mifare::Conditions frozen{0, 0, 0, 4};
    ASSERT_EQ(AuthA(card_, 16), kOk);
    ASSERT_EQ(card_.WriteBlock(19, Trailer(kKeyA1, frozen, kKeyB1).data()), kOk);

    ASSERT_EQ(AuthA(card_, 16, kKeyA1), kOk);
    EXPECT_EQ(Refused(card_, card_.WriteBlock(19, Trailer(kKeyA1, frozen, kKeyB1).data()), 16, kKeyA1), kAccessDenied);

    const Bytes newKeyA = Hex("333333333333");
    ASSERT_EQ(AuthB(card_, 16, kKeyB1), kOk);
    EXPECT_EQ(card_.WriteBlock(19, Trailer(newKeyA, {0, 0, 0, 1}, kKeyB1).data()), kAccessDenied);
    ASSERT_EQ(Activate(card_), kOk);
    ASSERT_EQ(AuthB(card_, 16, kKeyB1), kOk);
    EXPECT_EQ(card_.WriteBlock(19, Trailer(newKeyA, frozen, kKeyB1).data()), kOk);

    ASSERT_EQ(AuthA(card_, 16, newKeyA), kOk);
    const auto bits = mifare::EncodeAccessBits(frozen);
    EXPECT_EQ(ReadHex(card_, 19), "000000000000" + ToHex(bits) + "69000000000000");
    // key A may still use the data blocks
    EXPECT_EQ(WriteHex(17, "17171717171717171717171717171717"), kOk);
}
