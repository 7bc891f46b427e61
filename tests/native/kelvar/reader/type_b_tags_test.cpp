// The memory tags of the type B field: each is reached in its own mode and
// only once selected, and the rules of their blocks and pages.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <vector>

#include "kelvar/cards/at88rf020_tag.h"
#include "kelvar/cards/thr1064_tag.h"
#include "kelvar/reader/card_kind.h"
#include "kelvar/reader/iso14443b_field.h"
#include "support/hex_bytes.h"

using namespace kelvar;
using test_hex::Hex;
using test_hex::ToHex;

namespace {

class TypeBTagsTest : public ::testing::Test {
protected:
    void SetUp() override { Make({}); }
    void Make(const std::filesystem::path& folder) {
        field_.reset();
        store_ = std::make_unique<ImageStore>(folder);
        const auto all = AllCardKinds();
        field_ = std::make_unique<Iso14443bField>(*store_, std::vector<CardKind>(all.begin(), all.end()));
    }
    Status Power(uint8_t mode) {
        field_->SetPowered(false, mode);
        field_->SetPowered(true, mode);
        if (mode == TypeBCard::kModeSt) {
            return field_->StSelect(&chipId_);
        }
        uint8_t atqb[12] = {}, length = 0;
        const Status status = field_->RequestAndAttach(0, atqb, &length);
        atqb_ = ToHex(std::vector<uint8_t>(atqb, atqb + length));
        return status;
    }
    template <typename Read>
    std::string ReadHex(Read&& read) {
        Bytes data;
        const Status status = field_->ToTags([&](TypeBCard& card) { return read(card, data); });
        return status == kOk ? ToHex(data) : "status " + std::to_string(status);
    }
    template <typename Command>
    Status Send(Command&& command) {
        return field_->ToTags(command);
    }
    void PlaceOnly(std::initializer_list<CardKind> kinds) { field_->PlaceOnly(std::vector<CardKind>(kinds)); }

    std::unique_ptr<ImageStore> store_;
    std::unique_ptr<Iso14443bField> field_;
    uint8_t chipId_ = 0;
    std::string atqb_;
};

TEST_F(TypeBTagsTest, EachTagAnswersInItsOwnModeOnlyOnceSelected) {
    // Every tag placed: the select opens the ST tag that gave the first chip
    // identifier, and the SRIX4K, not selected, takes no command.
    ASSERT_EQ(Power(TypeBCard::kModeSt), kOk);
    EXPECT_EQ(chipId_, 0x06);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSr176Read(0, d); }), "5A31");
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSrix4kUid(d); }), "status 22");
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnAt020Read(1, d); }), "status 16");

    ASSERT_EQ(Power(TypeBCard::kModeR), kOk);
    EXPECT_EQ(atqb_.substr(2, 8), "8E204A13");
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSr176Read(0, d); }), "status 16");
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnAt020Read(0, d); }), "8E204A1300000000");

    // The processor card is selected in mode 'B'; the THR1064 only answered the request.
    ASSERT_EQ(Power(TypeBCard::kModeB), kOk);
    EXPECT_EQ(atqb_.substr(2, 8), "6B2FD019");
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnThr1064Read(0, d); }), "status 22");

    PlaceOnly({CardKind::kThr1064, CardKind::kSrix4K});
    ASSERT_EQ(Power(TypeBCard::kModeB), kOk);
    EXPECT_EQ(atqb_.substr(2, 8), "54481064");
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnThr1064Read(0, d); }), "544810643A950C00");
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnThr1064Read(1, d); }).size(), 80u);
    ASSERT_EQ(Power(TypeBCard::kModeSt), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSrix4kUid(d); }), "39A4611C5B0C02D0");

    // A tag taken away answers nothing from the next command on.
    PlaceOnly({CardKind::kThr1064});
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSrix4kUid(d); }), "status 22");
    EXPECT_EQ(field_->StSelect(&chipId_), kNoCard);
}

TEST_F(TypeBTagsTest, StTagsKeepTheirProtectedBlocks) {
    PlaceOnly({CardKind::kSr176});
    // Nothing before a select.
    field_->SetPowered(true, TypeBCard::kModeSt);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSr176Read(4, d); }), "status 22");
    ASSERT_EQ(Power(TypeBCard::kModeSt), kOk);
    EXPECT_EQ(chipId_, 0x06);

    const std::array<uint8_t, 2> two = {0x12, 0x34};
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSr176Write(2, two); }), kAccessDenied);   // UID
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSr176Write(15, two); }), kAccessDenied);  // register
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSr176Write(4, two); }), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSr176Protect(0x04); }), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSr176Protect(0x00); }), kOk);  // bits stay set
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSr176Write(5, two); }), kAccessDenied);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSr176Write(6, two); }), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSr176Read(15, d); }), "0604");

    PlaceOnly({CardKind::kSrix4K});
    ASSERT_EQ(Power(TypeBCard::kModeSt), kOk);

    const std::array<uint8_t, 4> low = {0x00, 0xF0, 0xFF, 0xFF};
    const std::array<uint8_t, 4> four = {0x0F, 0x00, 0xFF, 0xFF};
    // One-time bits only clear.
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSrix4kWrite(0, low); }), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSrix4kWrite(0, four); }), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSrix4kRead(0, d); }), "0000FFFF");
    // Counters only count down; a carry of block 6 reloads the one-time bits.
    const std::array<uint8_t, 4> up = {0x01, 0xF0, 0xFF, 0xFF}, carry = {0xFF, 0xEF, 0xFF, 0xFF};
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSrix4kWrite(5, low); }), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSrix4kWrite(5, up); }), kAccessDenied);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSrix4kWrite(6, low); }), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSrix4kRead(0, d); }), "0000FFFF");
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSrix4kWrite(6, carry); }), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSrix4kRead(0, d); }), "FFFFFFFF");
    // Register bit 0 locks blocks 7 and 8, bit 7 block 15; block 16 is never locked.
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSrix4kLock(0x81); }), kOk);
    for (const uint8_t block : {7, 8, 15}) {
        EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSrix4kWrite(block, four); }), kAccessDenied) << int(block);
    }
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSrix4kWrite(9, four); }), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnSrix4kWrite(16, four); }), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnSrix4kRead(128, d); }), "status 2");
}

TEST_F(TypeBTagsTest, At88rf020NeedsThePasswordToChangeAndCounts) {
    ASSERT_EQ(Power(TypeBCard::kModeR), kOk);
    const std::array<uint8_t, 8> data = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::array<uint8_t, 6> signature = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6};
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnAt020Write(5, data); }), kNotAuthenticated);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnAt020Check(data); }), kAuthFailed);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnAt020Check(At88rf020Tag::kFactoryPassword); }), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnAt020Read(3, d); }), "status 18");
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnAt020Write(2, data); }), kAccessDenied);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnAt020Write(5, data); }), kOk);

    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnAt020Count(signature); }), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnAt020Count(signature); }), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnAt020Read(2, d); }), "A1A2A3A4A5A60200");

    const std::array<uint8_t, 4> lockPage5 = {0x20, 0x00, 0x00, 0x00};
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnAt020Lock(lockPage5); }), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnAt020Write(5, data); }), kAccessDenied);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnAt020Read(0, d); }), "8E204A1320000000");

    // Deselect halts the tag and forgets the password.
    EXPECT_EQ(Send([](TypeBCard& c) { return c.OnAt020Deselect(); }), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnAt020Read(1, d); }), "status 22");
}

TEST(Thr1064RightsTest, Page3FollowsTheConfigurationTable) {
    // configuration: free read, free write, auth dec, auth read, auth write
    const struct {
        uint8_t c;
        std::array<bool, 5> rights;
    } kRows[] = {
        {0x00, {true, true, false, false, false}},   {0x08, {true, false, false, false, false}},
        {0x10, {true, false, false, true, true}},    {0x14, {true, false, false, false, false}},
        {0x18, {false, false, false, true, true}},   {0x1C, {false, false, false, true, false}},
        {0x30, {true, false, true, true, false}},    {0x34, {true, false, false, false, false}},
        {0x38, {false, false, true, true, false}},   {0x3C, {false, false, false, true, false}},
    };
    for (const auto& row : kRows) {
        const Thr1064Page3Rights r = Page3Rights(row.c);
        const std::array<bool, 5> got = {r.freeRead, r.freeWrite, r.authDecrement, r.authRead, r.authWrite};
        EXPECT_EQ(got, row.rights) << std::hex << int(row.c);
    }
}

TEST_F(TypeBTagsTest, Thr1064KeyPageAndCountDownPersist) {
    const auto folder = std::filesystem::temp_directory_path() / ("vantrel-thr1064-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    Make(folder);
    PlaceOnly({CardKind::kThr1064});
    ASSERT_EQ(Power(TypeBCard::kModeB), kOk);
    const Bytes key = Hex("0102030405060708");
    const Bytes three = Hex("0000000000000010");
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnThr1064Write(1, key); }), kBadArgument);  // 40 bytes
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnThr1064Write(2, key); }), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnThr1064Write(3, three); }), kOk);
    // Configuration 0x30: page 2 is the key, page 3 counts down after a key check.
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnThr1064Write(0, Hex("544810643A950C30")); }), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnThr1064Write(0, Hex("0000000000000000")); }), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnThr1064Read(0, d); }), "0000000000000030");
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnThr1064Read(2, d); }), "status 18");
    const Bytes lower = Hex("FFFFFFFFFFFFFF0F"), higher = Hex("0000000000000011");
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnThr1064Write(3, lower); }), kAccessDenied);

    Make(folder);  // written before the answer: a new card sees it
    PlaceOnly({CardKind::kThr1064});
    ASSERT_EQ(Power(TypeBCard::kModeB), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnThr1064Check(std::span<const uint8_t, 8>(key.data(), 8)); }), kOk);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnThr1064Write(3, higher); }), kAccessDenied);
    EXPECT_EQ(Send([&](TypeBCard& c) { return c.OnThr1064Write(3, lower); }), kOk);
    EXPECT_EQ(ReadHex([](TypeBCard& c, Bytes& d) { return c.OnThr1064Read(3, d); }), "FFFFFFFFFFFFFF0F");
    std::filesystem::remove_all(folder);
}

}  // namespace
