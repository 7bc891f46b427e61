#include "kelvar/cards/ultralight_c_tag.h"

#include <gtest/gtest.h>

#include <memory>

#include "ultralight_test_support.h"

namespace {

using namespace kelvar;
using namespace ultralight_test;

// Counts up from `first`, one byte at a time, across calls.
RandomBytes CountingBytes(uint8_t first) {
    auto next = std::make_shared<uint8_t>(first);
    return [next](std::span<uint8_t> out) {
        for (auto& byte : out) byte = (*next)++;
    };
}

const Bytes kFactoryKey(UltralightCTag::kFactoryKey.begin(), UltralightCTag::kFactoryKey.end());
const Bytes kOtherKey = Hex("00112233445566778899AABBCCDDEEFF");

class UltralightC : public ::testing::Test {
protected:
    void SetUp() override { Activate(tag_); }

    Status Authenticate(const Bytes& key) { return AuthenticateUltralightC(tag_, key.data(), readerRandom_); }

    // AUTH0 and AUTH1 as the operator writes them.
    void Protect(uint8_t auth0, uint8_t auth1) {
        ASSERT_EQ(tag_.WritePage(43, std::array<uint8_t, 4>{auth1, 0, 0, 0}.data()), kOk);
        ASSERT_EQ(tag_.WritePage(42, std::array<uint8_t, 4>{auth0, 0, 0, 0}.data()), kOk);
    }

    ImageStore store_;
    UltralightCTag tag_{store_, "ulc.img", UltralightCTag::kDefaultUid, CountingBytes(0x01)};
    RandomBytes readerRandom_ = CountingBytes(0x11);
};

TEST_F(UltralightC, FactoryStateReadsAndWritesOpenly) {
    EXPECT_EQ(ReadHex(tag_, 0), "5A370DE8" "9B62E418" "05480000" "00000000");
    EXPECT_EQ(ReadHex(tag_, 40), "00000000" "00000000" "30000000" "00000000");
    // The factory key 49454D4B... is stored with each half reversed: "BREAKMEIFYOUCAN!".
    EXPECT_EQ(PageHex(tag_, 44) + PageHex(tag_, 45) + PageHex(tag_, 46) + PageHex(tag_, 47),
              "42524541" "4B4D4549" "46594F55" "43414E21");
    EXPECT_EQ(Authenticate(Hex("49454D4B41455242214E4143554F5946")), kOk);
    Activate(tag_);
    for (uint8_t page = 4; page < 40; ++page) EXPECT_EQ(WriteHex(tag_, page, "A5A5A5A5"), kOk) << int(page);
    EXPECT_FALSE(tag_.IsAuthenticated());
}

TEST_F(UltralightC, ReadWrapsAfterPage43AndNeverShowsTheKey) {
    EXPECT_EQ(ReadHex(tag_, 42), "30000000" "00000000" "5A370DE8" "9B62E418");
    ASSERT_EQ(Authenticate(kFactoryKey), kOk);
    for (uint8_t page = 44; page < 48; ++page) EXPECT_EQ(ReadStatus(tag_, page), kAccessDenied) << int(page);
    EXPECT_EQ(ReadStatus(tag_, 48), kBadArgument);
    EXPECT_EQ(WriteHex(tag_, 48, "00000000"), kBadArgument);
}

TEST_F(UltralightC, ExchangeMatchesTheTripleDesChain) {
    // RndB = 0102..08 under the factory key, zero chaining value.
    DesBlock challenge{};
    ASSERT_EQ(tag_.StartAuthentication(challenge), kOk);
    EXPECT_EQ(ToHex(challenge), "14872DC9707C94A5");
    // RndA = 1112..18 followed by RndB turned left, chained on the challenge.
    UltralightCResponse response{};
    const Bytes reply = Hex("4E8C0315E107A01A" "05D742BD5DA0CCC4");
    std::copy(reply.begin(), reply.end(), response.begin());
    DesBlock answer{};
    ASSERT_EQ(tag_.FinishAuthentication(response, answer), kOk);
    EXPECT_EQ(ToHex(answer), "D0F5203ACBF865D4");
    EXPECT_TRUE(tag_.IsAuthenticated());
}

TEST_F(UltralightC, OnlyTheTagsKeyAuthenticates) {
    EXPECT_EQ(Authenticate(kOtherKey), kAuthFailed);
    EXPECT_FALSE(tag_.IsAuthenticated());
    // A refused authentication sends the tag back to idle.
    uint8_t data[16];
    EXPECT_EQ(tag_.Read(4, data), kNotSelected);
    EXPECT_EQ(Authenticate(kFactoryKey), kNotSelected);
    Activate(tag_);
    EXPECT_EQ(Authenticate(kFactoryKey), kOk);
    EXPECT_TRUE(tag_.IsAuthenticated());
    EXPECT_EQ(AuthenticateUltralightC(tag_, nullptr, readerRandom_), kBadArgument);
}

TEST_F(UltralightC, SecondPassWithoutChallengeIsRefused) {
    UltralightCResponse response{};
    DesBlock answer{};
    EXPECT_EQ(tag_.FinishAuthentication(response, answer), kCardError);
    EXPECT_FALSE(tag_.IsActive());
}

TEST_F(UltralightC, SessionEndsWithHaltRequestAndField) {
    uint8_t atqa[2];
    ASSERT_EQ(Authenticate(kFactoryKey), kOk);
    ASSERT_EQ(tag_.Halt(), kOk);
    EXPECT_FALSE(tag_.IsAuthenticated());

    ASSERT_EQ(tag_.Request(UltralightFamilyTag::kRequestAll, atqa), kOk);
    ASSERT_EQ(SelectTag(tag_, std::array<uint8_t, 7>{}.data()), kOk);
    ASSERT_EQ(Authenticate(kFactoryKey), kOk);
    // A request sends the active tag back, unanswered.
    EXPECT_EQ(tag_.Request(UltralightFamilyTag::kRequestAll, atqa), kNoCard);
    EXPECT_FALSE(tag_.IsAuthenticated());

    Activate(tag_);
    ASSERT_EQ(Authenticate(kFactoryKey), kOk);
    tag_.FieldReset();
    EXPECT_FALSE(tag_.IsAuthenticated());
}

TEST_F(UltralightC, Auth0WithAuth1SetProtectsWritesOnly) {
    Protect(0x10, 0x01);
    EXPECT_EQ(WriteHex(tag_, 15, "01020304"), kOk);
    EXPECT_EQ(WriteHex(tag_, 16, "01020304"), kNotAuthenticated);
    EXPECT_EQ(WriteHex(tag_, 42, "30000000"), kNotAuthenticated);
    EXPECT_EQ(ReadHex(tag_, 16), "00000000" "00000000" "00000000" "00000000");
    EXPECT_EQ(ReadHex(tag_, 43).substr(0, 8), "01000000");

    ASSERT_EQ(Authenticate(kFactoryKey), kOk);
    EXPECT_EQ(WriteHex(tag_, 16, "01020304"), kOk);
}

TEST_F(UltralightC, Auth0WithAuth1ClearProtectsReadsAndMovesTheWrap) {
    ASSERT_EQ(WriteHex(tag_, 16, "16161616"), kOk);
    Protect(0x10, 0x00);
    EXPECT_EQ(ReadStatus(tag_, 16), kNotAuthenticated);
    EXPECT_EQ(ReadStatus(tag_, 43), kNotAuthenticated);
    // Reads near the boundary continue at page 0 instead of showing page 16.
    EXPECT_EQ(ReadHex(tag_, 14), "00000000" "00000000" "5A370DE8" "9B62E418");
    EXPECT_EQ(WriteHex(tag_, 16, "01020304"), kNotAuthenticated);

    ASSERT_EQ(Authenticate(kFactoryKey), kOk);
    EXPECT_EQ(ReadHex(tag_, 14), "00000000" "00000000" "16161616" "00000000");
}

TEST_F(UltralightC, Auth0BelowPageThreeKeepsTheSerialPagesOpen) {
    Protect(0x00, 0x00);
    EXPECT_EQ(ReadHex(tag_, 0), "5A370DE8" "9B62E418" "05480000" "5A370DE8");
    EXPECT_EQ(ReadStatus(tag_, 3), kNotAuthenticated);
}

TEST_F(UltralightC, ChangedKeyReplacesTheOldOne) {
    ASSERT_EQ(tag_.ChangeTripleDesKey(kOtherKey.data()), kOk);  // key pages not protected
    EXPECT_EQ(PageHex(tag_, 44) + PageHex(tag_, 45) + PageHex(tag_, 46) + PageHex(tag_, 47),
              "77665544" "33221100" "FFEEDDCC" "BBAA9988");
    EXPECT_EQ(Authenticate(kFactoryKey), kAuthFailed);
    Activate(tag_);
    EXPECT_EQ(Authenticate(kOtherKey), kOk);
    EXPECT_EQ(tag_.ChangeTripleDesKey(nullptr), kBadArgument);

    // The key survives in the store.
    UltralightCTag reloaded(store_, "ulc.img");
    Activate(reloaded);
    EXPECT_EQ(AuthenticateUltralightC(reloaded, kOtherKey.data(), readerRandom_), kOk);
}

TEST_F(UltralightC, ProtectedKeyPagesNeedTheOldKeyFirst) {
    Protect(0x2C, 0x01);
    EXPECT_EQ(AfterRefusal(tag_, tag_.ChangeTripleDesKey(kOtherKey.data())), kNotAuthenticated);
    EXPECT_EQ(WriteHex(tag_, 47, "00000000"), kNotAuthenticated);
    EXPECT_EQ(PageHex(tag_, 44), "42524541");
    ASSERT_EQ(Authenticate(kFactoryKey), kOk);
    ASSERT_EQ(tag_.ChangeTripleDesKey(kOtherKey.data()), kOk);
    Activate(tag_);
    EXPECT_EQ(Authenticate(kOtherKey), kOk);
}

TEST_F(UltralightC, LockedKeyOrAFailedSaveWritesNoKeyPage) {
    ASSERT_EQ(WriteHex(tag_, 40, "00100000"), kOk);  // byte 1 bit 4: key pages
    EXPECT_EQ(AfterRefusal(tag_, tag_.ChangeTripleDesKey(kOtherKey.data())), kAccessDenied);
    EXPECT_EQ(WriteHex(tag_, 44, "00000000"), kAccessDenied);
    EXPECT_EQ(PageHex(tag_, 44) + PageHex(tag_, 47), "42524541" "43414E21");

    TempFolder folder;
    ImageStore broken(folder.Unwritable());
    UltralightCTag tag(broken);
    Activate(tag);
    EXPECT_EQ(tag.ChangeTripleDesKey(kOtherKey.data()), kStoreFailed);
    EXPECT_EQ(AuthenticateUltralightC(tag, kFactoryKey.data(), readerRandom_), kOk);
}

TEST_F(UltralightC, ConfigurationPagesFollowTheirLockBits) {
    ASSERT_EQ(WriteHex(tag_, 40, "000C0000"), kOk);  // byte 1 bits 2-3: AUTH0, AUTH1
    EXPECT_EQ(WriteHex(tag_, 42, "04000000"), kAccessDenied);
    EXPECT_EQ(WriteHex(tag_, 43, "01000000"), kAccessDenied);
    EXPECT_EQ(WriteHex(tag_, 41, "01000000"), kOk);
}

}  // namespace
