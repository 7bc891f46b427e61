#include "kelvar/cards/mifare_classic.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/native/kelvar/cards/mifare_test_support.h"

using namespace kelvar;
using namespace mifare_test;

namespace {

const std::string kZeros(32, '0');
const std::string kTransportTrailer = "000000000000FF078069FFFFFFFFFFFF";  // as read with key A

class MifareClassic1K : public ::testing::Test {
protected:
    ImageStore store_;
    MifareClassicCard card_{mifare::CardSize::k1K, Hex("DEADBEEF"), store_, "mifare1k.img"};
};

}  // namespace

TEST_F(MifareClassic1K, ActivationSelectsOnlyThisUidAfterARequest) {
    uint8_t atqa[2] = {};
    uint8_t uid[10] = {};
    uint8_t length = 0;
    uint8_t sak = 0;
    EXPECT_EQ(card_.Select(Hex("DEADBEEF").data(), 4, &sak), kNoCard);
    ASSERT_EQ(card_.Request(0x52, atqa), kOk);
    EXPECT_EQ(ToHex(atqa), "0400");
    ASSERT_EQ(card_.Anticoll(uid, &length), kOk);
    EXPECT_EQ(ToHex(std::span(uid, length)), "DEADBEEF");
    EXPECT_EQ(card_.Select(Hex("DEADBEEE").data(), 4, &sak), kNoCard);
    ASSERT_EQ(card_.Request(0x52, atqa), kOk);
    EXPECT_EQ(card_.Select(uid, length, &sak), kOk);
    EXPECT_EQ(sak, 0x08);
}

TEST(MifareClassicCard, IdentityFollowsSizeAndUidLength) {
    ImageStore store;
    EXPECT_EQ(ToHex(MifareClassicCard(mifare::CardSize::k4K, Hex("01020304"), store, "a").Atqa()), "0200");
    EXPECT_EQ(ToHex(MifareClassicCard(mifare::CardSize::k1K, Hex("04112233445566"), store, "b").Atqa()), "4400");
    EXPECT_THROW(MifareClassicCard(mifare::CardSize::k1K, Hex("0102030405"), store, "c"), std::invalid_argument);

    MifareClassicCard card(mifare::CardSize::k4K, Hex("04112233445566"), store, "mifare4k.img");
    EXPECT_EQ(ToHex(card.Atqa()), "4200");
    ASSERT_EQ(Activate(card), kOk);
    ASSERT_EQ(AuthA(card, 0), kOk);
    // 7-byte UID, SAK, ATQA, manufacturer data; no BCC
    EXPECT_EQ(ReadHex(card, 0), "041122334455661842004B454C564152");
}

TEST_F(MifareClassic1K, FactoryCardHoldsManufacturerBlockTransportTrailersAndZeros) {
    ASSERT_EQ(Activate(card_), kOk);
    ASSERT_EQ(AuthA(card_, 0), kOk);
    EXPECT_EQ(ReadHex(card_, 0).substr(0, 16), "DEADBEEF22080400");  // BCC 22
    EXPECT_EQ(ReadHex(card_, 1), kZeros);
    EXPECT_EQ(ReadHex(card_, 3), kTransportTrailer);
    ASSERT_EQ(AuthA(card_, 63), kOk);
    EXPECT_EQ(ReadHex(card_, 63), kTransportTrailer);

    ASSERT_EQ(AuthA(card_, 0), kOk);
    const Bytes data = Hex("00112233445566778899AABBCCDDEEFF");
    const std::string block0 = ReadHex(card_, 0);
    EXPECT_EQ(Refused(card_, card_.WriteBlock(0, data.data()), 0), kAccessDenied);
    EXPECT_EQ(Refused(card_, card_.InitValue(0, 5), 0), kAccessDenied);
    EXPECT_EQ(ReadHex(card_, 0), block0);
    EXPECT_EQ(card_.WriteBlock(1, data.data()), kOk);
    EXPECT_EQ(ReadHex(card_, 1), ToHex(data));
}

TEST_F(MifareClassic1K, HaltedCardAnswersOnlyWakeUpOrAFieldReset) {
    uint8_t atqa[2];
    ASSERT_EQ(Activate(card_), kOk);
    ASSERT_EQ(AuthA(card_, 4), kOk);
    ASSERT_EQ(card_.Halt(), kOk);
    EXPECT_EQ(ReadHex(card_, 4), "status 22");  // kNotSelected
    EXPECT_EQ(card_.Halt(), kNotSelected);
    EXPECT_EQ(card_.Request(0x26, atqa), kNoCard);
    EXPECT_EQ(card_.Request(0x26, atqa), kNoCard);
    EXPECT_EQ(card_.Request(0x52, atqa), kOk);

    ASSERT_EQ(Activate(card_), kOk);
    ASSERT_EQ(card_.Halt(), kOk);
    card_.FieldReset();
    EXPECT_EQ(card_.Request(0x26, atqa), kOk);
}

TEST_F(MifareClassic1K, WrongKeyFailsAndDropsTheCardUntilSelectedAgain) {
    ASSERT_EQ(Activate(card_), kOk);
    ASSERT_EQ(AuthA(card_, 4), kOk);
    EXPECT_EQ(AuthA(card_, 8, Hex("FFFFFFFFFFFE")), kAuthFailed);
    EXPECT_EQ(ReadHex(card_, 4), "status 22");  // the earlier authentication is gone too
    EXPECT_EQ(AuthA(card_, 8), kNotSelected);
    EXPECT_EQ(card_.InitValue(8, 1), kNotSelected);
    ASSERT_EQ(Activate(card_), kOk);
    EXPECT_EQ(AuthA(card_, 8), kOk);
    EXPECT_EQ(ReadHex(card_, 8), kZeros);
}

TEST_F(MifareClassic1K, OperationsNeedAnAuthenticationOfTheirOwnSector) {
    ASSERT_EQ(Activate(card_), kOk);
    EXPECT_EQ(ReadHex(card_, 4), "status 21");  // kNotAuthenticated
    ASSERT_EQ(Activate(card_), kOk);
    ASSERT_EQ(AuthA(card_, 6), kOk);  // any block of the sector will do
    EXPECT_EQ(ReadHex(card_, 4), kZeros);
    EXPECT_EQ(ReadHex(card_, 8), "status 21");
    ASSERT_EQ(Activate(card_), kOk);
    ASSERT_EQ(AuthA(card_, 4), kOk);
    EXPECT_EQ(Refused(card_, card_.Increment(8, 1), 4), kNotAuthenticated);
    EXPECT_EQ(ReadHex(card_, 4), kZeros);
    uint8_t atqa[2];
    EXPECT_EQ(card_.Request(0x52, atqa), kNoCard);  // a request ends it, unanswered
    EXPECT_EQ(ReadHex(card_, 4), "status 22");
}

TEST_F(MifareClassic1K, BadArgumentsAreRefusedWithoutTouchingTheCard) {
    uint8_t buffer[16] = {};
    int32_t value = 0;
    EXPECT_EQ(card_.Request(0x50, buffer), kBadArgument);
    EXPECT_EQ(card_.Request(0x52, nullptr), kBadArgument);
    EXPECT_EQ(card_.Select(Hex("DEADBEEF").data(), 5, buffer), kBadArgument);
    ASSERT_EQ(Activate(card_), kOk);
    // Null buffers never reach the card; commands it cannot take send it back.
    EXPECT_EQ(card_.Authenticate(0x60, 4, nullptr), kBadArgument);
    EXPECT_EQ(card_.WriteBlock(60, nullptr), kBadArgument);
    EXPECT_EQ(card_.ReadValue(60, nullptr), kBadArgument);
    ASSERT_EQ(AuthA(card_, 60), kOk);  // still selected
    EXPECT_EQ(Refused(card_, card_.Authenticate(0x62, 4, kFactoryKey.data()), 60), kBadArgument);
    EXPECT_EQ(Refused(card_, card_.Authenticate(0x60, 64, kFactoryKey.data()), 60), kBadArgument);
    EXPECT_EQ(Refused(card_, card_.Read(64, buffer), 60), kBadArgument);
    EXPECT_EQ(Refused(card_, card_.Read(-1, buffer), 60), kBadArgument);
    EXPECT_EQ(Refused(card_, card_.Increment(64, 1), 60), kBadArgument);
    EXPECT_EQ(Refused(card_, card_.ReadValue(64, &value), 60), kBadArgument);
}

TEST(MifareClassicCard, FourKAddressesLargeSectorsBy16Blocks) {
    ImageStore store;
    MifareClassicCard card(mifare::CardSize::k4K, Hex("A1A2A3A4"), store, "mifare4k.img");
    const Bytes data = Hex("0102030405060708090A0B0C0D0E0F10");
    ASSERT_EQ(Activate(card), kOk);
    ASSERT_EQ(AuthA(card, 240), kOk);
    ASSERT_EQ(card.WriteBlock(254, data.data()), kOk);
    EXPECT_EQ(ReadHex(card, 254), ToHex(data));
    EXPECT_EQ(ReadHex(card, 255), kTransportTrailer);
    EXPECT_EQ(ReadHex(card, 239), "status 21");
    ASSERT_EQ(Activate(card), kOk);
    ASSERT_EQ(AuthA(card, 127), kOk);
    EXPECT_EQ(ReadHex(card, 127), kTransportTrailer);
    EXPECT_EQ(ReadHex(card, 128), "status 21");
    ASSERT_EQ(Activate(card), kOk);
    ASSERT_EQ(AuthA(card, 143), kOk);
    EXPECT_EQ(card.WriteBlock(131, data.data()), kOk);  // block 3 of a large sector is data
    EXPECT_EQ(ReadHex(card, 143), kTransportTrailer);
}
