#include "kelvar/cards/at88sc1608_card.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/at88sc_cipher.h"
#include "kelvar/reader/contact_slot.h"
#include "support/hex_bytes.h"
#include "ultralight_test_support.h"

using test_hex::Hex;
using test_hex::ToHex;

namespace kelvar {
namespace {

using namespace at88sc1608;

constexpr uint8_t kSecureCode = 7;

// How ReadHex shows a refused read.
std::string Refused(Status status) {
    std::string text = "status ";
    text += std::to_string(status);
    return text;
}

std::string ReadHex(ContactCard& card, uint8_t zone, uint8_t address, size_t length) {
    std::vector<uint8_t> out(length);
    const Status status = card.ReadZone(zone, address, length, out.data());
    return status == kOk ? ToHex(out) : Refused(status);
}

at88sc::Block BlockOf(const std::string& hex) {
    at88sc::Block block{};
    const auto bytes = Hex(hex);
    std::copy(bytes.begin(), bytes.end(), block.begin());
    return block;
}

TEST(At88sc1608CardTest, ResetFusesAndTheConfigurationZoneFollowTheSecureCode) {
    ImageStore store;
    At88sc1608Card card(store);
    uint8_t answer[4] = {};
    ASSERT_EQ(card.SecureReset(answer), kOk);
    EXPECT_EQ(ToHex(answer), "3BB21100");
    uint8_t fuses = 0;
    ASSERT_EQ(card.ReadFuses(&fuses), kOk);
    EXPECT_EQ(fuses, kFuseFab | kFuseCma | kFusePer);

    // Without the secure code: the public part reads, the seed and passwords do not.
    EXPECT_EQ(ReadHex(card, kConfigZone, 0x28, 8), "FF0123456789ABCD");
    EXPECT_EQ(ReadHex(card, kConfigZone, 0x30, 8), Refused(kNotAuthenticated));
    EXPECT_EQ(ReadHex(card, kConfigZone, 0x78, 8), Refused(kNotAuthenticated));
    EXPECT_EQ(card.WriteZone(kConfigZone, 0x38, 1, Hex("00").data()), kNotAuthenticated);
    EXPECT_EQ(card.WriteZone(kConfigZone, 0x0A, 2, Hex("1234").data()), kOk);  // memory test zone is free
    EXPECT_EQ(card.BlowFuse(), kNotAuthenticated);

    ASSERT_EQ(card.VerifyPassword(kSecureCode, Hex("A7A7A7").data()), kOk);
    EXPECT_EQ(ReadHex(card, kConfigZone, 0x78, 8), "FFA7A7A7FFB7B7B7");
    EXPECT_EQ(ReadHex(card, kConfigZone, 0x7F, 2), Refused(kBadArgument));
    EXPECT_EQ(card.WriteZone(kConfigZone, 0x00, 1, Hex("3C").data()), kOk);

    // FAB, CMA, PER blow in turn and lock their areas; the seed hides with PER.
    ASSERT_EQ(card.BlowFuse(), kOk);
    EXPECT_EQ(card.WriteZone(kConfigZone, 0x00, 1, Hex("3B").data()), kAccessDenied);
    EXPECT_EQ(card.WriteZone(kConfigZone, 0x0C, 1, Hex("01").data()), kOk);
    ASSERT_EQ(card.BlowFuse(), kOk);
    EXPECT_EQ(card.WriteZone(kConfigZone, 0x0C, 1, Hex("02").data()), kAccessDenied);
    EXPECT_EQ(card.WriteZone(kConfigZone, 0x20, 1, Hex("00").data()), kOk);
    ASSERT_EQ(card.BlowFuse(), kOk);
    EXPECT_EQ(card.WriteZone(kConfigZone, 0x20, 1, Hex("C0").data()), kAccessDenied);
    EXPECT_EQ(ReadHex(card, kConfigZone, 0x30, 8), Refused(kAccessDenied));
    EXPECT_EQ(card.WriteZone(kConfigZone, 0x79, 3, Hex("010203").data()), kOk);  // passwords stay changeable
    EXPECT_EQ(card.BlowFuse(), kAccessDenied);
    ASSERT_EQ(card.ReadFuses(&fuses), kOk);
    EXPECT_EQ(fuses, 0);
    ASSERT_EQ(card.SecureReset(answer), kOk);
    EXPECT_EQ(ToHex(answer), "3CB21100");
}

TEST(At88sc1608CardTest, WrongPasswordsCountAndLockAfterEightTries) {
    ultralight_test::TempFolder folder;
    {
        ImageStore store(folder.Path());
        At88sc1608Card card(store);
        EXPECT_EQ(card.VerifyPassword(3, Hex("000000").data()), kAuthFailed);
        EXPECT_EQ(card.VerifyPassword(3, Hex("A3A3A3").data()), kOk);  // a right try restores the counter
        for (int i = 0; i < 7; ++i) EXPECT_EQ(card.VerifyPassword(11, Hex("A3A3A3").data()), kAuthFailed);
    }
    ImageStore store(folder.Path());
    At88sc1608Card card(store);  // the counters are on disk
    ASSERT_EQ(card.VerifyPassword(kSecureCode, Hex("A7A7A7").data()), kOk);
    EXPECT_EQ(ReadHex(card, kConfigZone, 0x58, 8), "FFA3A3A301B3B3B3");
    EXPECT_EQ(card.VerifyPassword(11, Hex("000000").data()), kAuthFailed);
    EXPECT_EQ(card.VerifyPassword(11, Hex("B3B3B3").data()), kAccessDenied);  // locked, even when right
    EXPECT_EQ(card.VerifyPassword(16, Hex("B3B3B3").data()), kBadArgument);

    ImageStore broken(folder.Unwritable());
    At88sc1608Card unsaved(broken);
    EXPECT_EQ(unsaved.VerifyPassword(2, Hex("000000").data()), kStoreFailed);
    EXPECT_EQ(unsaved.WriteZone(0, 0, 1, Hex("00").data()), kStoreFailed);
    EXPECT_EQ(ReadHex(unsaved, 0, 0, 1), "FF");
}

TEST(At88sc1608CardTest, UserZonesFollowTheirAccessRegisters) {
    ImageStore store;
    ContactSlot slot(store, std::vector{CardKind::kAt88sc1608});
    ASSERT_EQ(slot.PowerUp(), kOk);
    auto send = [&](auto command) { return slot.Send(command); };
    ContactCard* card = nullptr;
    send([&](ContactCard& c) { card = &c; return kOk; });
    ASSERT_NE(card, nullptr);

    // Zone 0 is open; 1 to 256 bytes inside the zone, nothing else.
    ASSERT_EQ(card->WriteZone(0, 0xFE, 2, Hex("0102").data()), kOk);
    EXPECT_EQ(ReadHex(*card, 0, 0, 256).substr(0x1FC), "0102");
    EXPECT_EQ(card->WriteZone(0, 0xFF, 2, Hex("0102").data()), kBadArgument);
    const std::vector<uint8_t> zone(257, 0x5A);
    EXPECT_EQ(card->WriteZone(0, 0, 0, zone.data()), kBadArgument);
    EXPECT_EQ(card->WriteZone(0, 0, 257, zone.data()), kBadArgument);
    EXPECT_EQ(card->WriteZone(0, 1, 256, zone.data()), kBadArgument);
    EXPECT_EQ(ReadHex(*card, 0, 0, 0), Refused(kBadArgument));
    EXPECT_EQ(ReadHex(*card, 0, 0, 257), Refused(kBadArgument));
    EXPECT_EQ(ReadHex(*card, kConfigZone, 0x7F, 2), Refused(kBadArgument));
    ASSERT_EQ(card->WriteZone(0, 0, 256, zone.data()), kOk);
    EXPECT_EQ(ReadHex(*card, 0, 0xFF, 1), "5A");
    EXPECT_EQ(card->WriteZone(9, 0, 1, Hex("01").data()), kBadArgument);

    // Zone 2: the read password reads, only the write password writes.
    EXPECT_EQ(ReadHex(*card, 2, 0, 4), Refused(kNotAuthenticated));
    ASSERT_EQ(card->VerifyPassword(8 + 2, Hex("B2B2B2").data()), kOk);
    EXPECT_EQ(ReadHex(*card, 2, 0, 4), "FFFFFFFF");
    EXPECT_EQ(card->WriteZone(2, 0, 1, Hex("00").data()), kNotAuthenticated);
    ASSERT_EQ(card->VerifyPassword(2, Hex("A2A2A2").data()), kOk);
    EXPECT_EQ(card->WriteZone(2, 0, 1, Hex("00").data()), kOk);

    // Zone 6 also needs the authentication; powering up forgets all of it.
    ASSERT_EQ(card->VerifyPassword(6, Hex("A6A6A6").data()), kOk);
    EXPECT_EQ(ReadHex(*card, 6, 0, 1), Refused(kNotAuthenticated));
    slot.PowerDown();
    EXPECT_EQ(slot.Send([](ContactCard& c) { return c.BlowFuse(); }), kNotSelected);
    ASSERT_EQ(slot.PowerUp(), kOk);
    EXPECT_EQ(ReadHex(*card, 2, 0, 1), Refused(kNotAuthenticated));
}

TEST(At88sc1608CardTest, AuthenticationChecksTheAnswerCountsFailuresAndRenewsTheCryptogram) {
    ImageStore store;
    At88sc1608Card card(store);
    const at88sc::Block seed = BlockOf("4763536565643031");
    const at88sc::Block q0 = BlockOf("0011223344556677");
    auto cryptogram = [&] { return BlockOf(ReadHex(card, kConfigZone, kCryptogram, 8)); };

    at88sc::Block wrongSeed = seed;
    wrongSeed[7] ^= 1;
    const at88sc::Block wrong = at88sc::Answer(cryptogram(), wrongSeed, q0);
    EXPECT_EQ(card.Authenticate(q0.data(), wrong.data()), kAuthFailed);
    EXPECT_EQ(cryptogram()[0], 0x7F);  // one try used

    const at88sc::Block before = cryptogram();
    const at88sc::Block right = at88sc::Answer(before, seed, q0);
    ASSERT_EQ(card.Authenticate(q0.data(), right.data()), kOk);
    const at88sc::Block after = cryptogram();
    EXPECT_EQ(after[0], 0xFF);
    EXPECT_NE(ToHex(after), ToHex(before));
    ASSERT_EQ(card.VerifyPassword(6, Hex("A6A6A6").data()), kOk);
    EXPECT_EQ(ReadHex(card, 6, 0, 1), "FF");  // zone 6 opens with both

    // The old answer no longer fits; eight failures lock the authentication.
    for (int i = 0; i < 8; ++i) EXPECT_EQ(card.Authenticate(q0.data(), right.data()), kAuthFailed);
    const at88sc::Block now = at88sc::Answer(cryptogram(), seed, q0);
    EXPECT_EQ(card.Authenticate(q0.data(), now.data()), kAccessDenied);
    EXPECT_EQ(ReadHex(card, 6, 0, 1), Refused(kNotAuthenticated));
}

}  // namespace
}  // namespace kelvar
