#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "kelvar/cards/desfire_card.h"
#include "kelvar/cards/ntag203_tag.h"
#include "kelvar/cards/pro_card.h"
#include "kelvar/cards/shc1102_tag.h"
#include "kelvar/cards/ultralight_c_tag.h"
#include "kelvar/cards/ultralight_tag.h"
#include "kelvar/reader/iso14443a_field.h"
#include "kelvar/reader/reader_config.h"
#include "support/hex_bytes.h"

using namespace kelvar;
using test_hex::Hex;
using test_hex::ToHex;

namespace {

constexpr uint8_t kIdle = Iso14443aField::kRequestIdle;
constexpr uint8_t kAll = Iso14443aField::kRequestAll;

class FieldTest : public ::testing::Test {
protected:
    void Make(std::vector<CardKind> kinds) {
        field_ = std::make_unique<Iso14443aField>(store_, kinds);
        field_->SetPowered(true);
    }

    Status Request(uint8_t mode) {
        uint8_t atqa[2] = {};
        const Status status = field_->Request(mode, atqa);
        atqa_ = ToHex(atqa);
        return status;
    }

    // Anticollision and select of the first ready card: its UID, or "".
    std::string SelectFirst() {
        uint8_t uid[10] = {}, length = 0, sak = 0;
        if (field_->Anticoll(uid, &length) != kOk) return "";
        if (field_->Select(uid, length, &sak) != kOk) return "select failed";
        return ToHex(std::vector<uint8_t>(uid, uid + length));
    }

    std::string SelectTag() {
        uint8_t uid[10] = {}, length = 0;
        if (field_->UltralightSelect(uid, &length) != kOk) return "";
        return ToHex(std::vector<uint8_t>(uid, uid + length));
    }

    ImageStore store_;
    std::unique_ptr<Iso14443aField> field_;
    std::string atqa_;
};

TEST_F(FieldTest, HaltAndIdleRequestsWalkEveryCardInDefaultOrder) {
    Make(DefaultFieldOrder());
    EXPECT_EQ(field_->CardCount(), 8u);

    ASSERT_EQ(Request(kAll), kOk);
    EXPECT_EQ(atqa_, "0200");  // the 4K card answers first
    EXPECT_EQ(SelectFirst(), ToHex(kMifare4KUid));
    ASSERT_EQ(field_->Halt(), kOk);

    ASSERT_EQ(Request(kIdle), kOk);
    EXPECT_EQ(atqa_, "0400");
    EXPECT_EQ(SelectFirst(), ToHex(kMifare1KUid));
    ASSERT_EQ(field_->Halt(), kOk);

    ASSERT_EQ(Request(kIdle), kOk);
    EXPECT_EQ(atqa_, "4400");
    EXPECT_EQ(SelectFirst(), ToHex(UltralightCTag::kDefaultUid));  // tags take part in the cascade
    ASSERT_EQ(field_->Halt(), kOk);
    ASSERT_EQ(Request(kIdle), kOk);
    EXPECT_EQ(SelectTag(), ToHex(Ntag203Tag::kDefaultUid));
    ASSERT_EQ(field_->Halt(), kOk);
    ASSERT_EQ(Request(kIdle), kOk);
    EXPECT_EQ(SelectTag(), ToHex(UltralightTag::kDefaultUid));
    ASSERT_EQ(field_->Halt(), kOk);
    // The processor cards come last, so that every other card is found first.
    ASSERT_EQ(Request(kIdle), kOk);
    EXPECT_EQ(atqa_, "0800");
    EXPECT_EQ(SelectFirst(), ToHex(ProCard::kDefaultUid));
    ASSERT_EQ(field_->Halt(), kOk);
    ASSERT_EQ(Request(kIdle), kOk);
    EXPECT_EQ(atqa_, "4403");
    EXPECT_EQ(SelectFirst(), ToHex(DesfireCard::kDefaultUid));
    ASSERT_EQ(field_->Halt(), kOk);
    ASSERT_EQ(Request(kIdle), kOk);
    EXPECT_EQ(SelectFirst(), ToHex(Shc1102Tag::kDefaultUid));
    ASSERT_EQ(field_->Halt(), kOk);
    EXPECT_EQ(Request(kIdle), kNoCard);

    // 0x52 wakes them all; those not selected go back to halt.
    ASSERT_EQ(Request(kAll), kOk);
    EXPECT_EQ(SelectFirst(), ToHex(kMifare4KUid));
    ASSERT_EQ(field_->Halt(), kOk);
    EXPECT_EQ(Request(kIdle), kNoCard);
}

TEST_F(FieldTest, SelectingOneCardSendsTheOthersBackToIdle) {
    Make({CardKind::kMifare1K, CardKind::kUltraLight});
    ASSERT_EQ(Request(kIdle), kOk);
    EXPECT_EQ(SelectTag(), ToHex(UltralightTag::kDefaultUid));
    EXPECT_EQ(SelectFirst(), "");  // no longer ready: it needs a new request
    EXPECT_EQ(field_->SelectedKind(), CardKind::kUltraLight);
    ASSERT_EQ(Request(kIdle), kOk);  // the request ends the selection
    EXPECT_EQ(field_->SelectedKind(), std::nullopt);
    EXPECT_EQ(SelectFirst(), ToHex(kMifare1KUid));
}

TEST_F(FieldTest, LosingPowerResetsEveryCard) {
    Make({CardKind::kMifare1K});
    ASSERT_EQ(Request(kAll), kOk);
    ASSERT_EQ(SelectFirst(), ToHex(kMifare1KUid));
    ASSERT_EQ(field_->Halt(), kOk);

    field_->SetPowered(false);
    EXPECT_EQ(Request(kAll), kNoCard);
    uint8_t uid[10], length = 0;
    EXPECT_EQ(field_->Anticoll(uid, &length), kNoCard);

    field_->SetPowered(true);  // the halt is forgotten
    EXPECT_EQ(Request(kIdle), kOk);
    EXPECT_EQ(SelectFirst(), ToHex(kMifare1KUid));
    field_->SetPowered(false);
    EXPECT_EQ(field_->SelectedKind(), std::nullopt);
    EXPECT_EQ(field_->Halt(), kNotSelected);
}

TEST_F(FieldTest, CommandsOfAnotherFamilyAnswerCardErrorAndSendTheCardBack) {
    Make({CardKind::kMifare1K, CardKind::kUltraLightC});
    const Bytes key = Hex("FFFFFFFFFFFF");
    const Bytes page = Hex("11223344");
    int32_t value = 0;
    const auto selectMifare = [&] {
        ASSERT_EQ(Request(kAll), kOk);
        ASSERT_EQ(SelectFirst(), ToHex(kMifare1KUid));
    };
    const auto selectTag = [&] {
        field_->SetPowered(false);
        field_->SetPowered(true);
        ASSERT_EQ(Request(kAll), kOk);
        ASSERT_EQ(SelectTag(), ToHex(UltralightCTag::kDefaultUid));
    };

    EXPECT_EQ(field_->Authenticate(0x60, 4, key.data()), kNotSelected);
    for (const auto& command : std::vector<std::function<Status()>>{
             [&] { return field_->UltralightWrite(4, page.data()); },
             [&] { return field_->UltralightCAuthenticate(UltralightCTag::kFactoryKey.data()); },
             [&] { return field_->UltralightCChangeKey(UltralightCTag::kFactoryKey.data()); }}) {
        selectMifare();
        EXPECT_EQ(command(), kCardError);
        EXPECT_EQ(field_->SelectedKind(), std::nullopt);
    }
    for (const auto& command : std::vector<std::function<Status()>>{
             [&] { return field_->Authenticate(0x60, 4, key.data()); },
             [&] { return field_->InitValue(4, 1); },
             [&] { return field_->ReadValue(4, &value); },
             [&] { return field_->Increment(4, 1); },
             [&] { return field_->Decrement(4, 1); }}) {
        selectTag();
        EXPECT_EQ(command(), kCardError);
        EXPECT_EQ(field_->SelectedKind(), std::nullopt);
    }

    // A 16-byte write on a tag writes the first four bytes to the page.
    selectTag();
    const Bytes block = Hex("A1A2A3A4B1B2B3B4C1C2C3C4D1D2D3D4");
    ASSERT_EQ(field_->Write(5, block.data()), kOk);
    uint8_t data[16] = {};
    ASSERT_EQ(field_->Read(4, data), kOk);
    EXPECT_EQ(ToHex(data), "00000000A1A2A3A40000000000000000");
}

TEST_F(FieldTest, RefusedAuthenticationEndsTheSelection) {
    Make({CardKind::kMifare4K, CardKind::kUltraLightC});
    const Bytes wrong = Hex("A0A1A2A3A4A5");
    ASSERT_EQ(Request(kAll), kOk);
    ASSERT_EQ(SelectFirst(), ToHex(kMifare4KUid));
    EXPECT_EQ(field_->Authenticate(0x61, 0, wrong.data()), kAuthFailed);
    EXPECT_EQ(field_->SelectedKind(), std::nullopt);

    ASSERT_EQ(Request(kAll), kOk);
    ASSERT_EQ(SelectTag(), ToHex(UltralightCTag::kDefaultUid));
    const Bytes wrongKey = Hex("00112233445566778899AABBCCDDEEFF");
    EXPECT_EQ(field_->UltralightCAuthenticate(wrongKey.data()), kAuthFailed);
    uint8_t data[16];
    EXPECT_EQ(field_->Read(0, data), kNotSelected);
}

TEST_F(FieldTest, ARefusedCommandSendsEveryKindOfCardBackToIdleOrToHalt) {
    const Bytes wrongKey = Hex("A0A1A2A3A4A5");
    const Bytes page = Hex("01020304");
    struct Case {
        CardKind kind;
        std::function<Status(Iso14443aField&)> refused;
    };
    const Case cases[] = {
        {CardKind::kMifare1K, [&](auto& f) { return f.Authenticate(0x60, 4, wrongKey.data()); }},
        {CardKind::kMifare1K, [&](auto& f) { uint8_t d[16]; return f.Read(4, d); }},  // not authenticated
        {CardKind::kUltraLight, [&](auto& f) { return f.UltralightWrite(0, page.data()); }},  // read-only page
        {CardKind::kUltraLight, [&](auto& f) { uint8_t d[16]; return f.Read(16, d); }},  // past the memory
        {CardKind::kNtag203, [&](auto& f) { return f.UltralightWrite(42, page.data()); }},
        {CardKind::kUltraLightC, [&](auto& f) { uint8_t d[16]; return f.Read(44, d); }},  // the key pages
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(CardKindName(c.kind)));
        Make({c.kind});
        // From idle: back to idle, so an idle request finds it again.
        ASSERT_EQ(Request(kAll), kOk);
        ASSERT_NE(SelectFirst(), "");
        EXPECT_NE(c.refused(*field_), kOk);
        EXPECT_EQ(field_->SelectedKind(), std::nullopt);
        uint8_t data[16];
        EXPECT_EQ(field_->Read(0, data), kNotSelected);
        EXPECT_EQ(Request(kIdle), kOk);

        // Woken from halt: back to halt, so only 0x52 finds it.
        ASSERT_NE(SelectFirst(), "");
        ASSERT_EQ(field_->Halt(), kOk);
        ASSERT_EQ(Request(kAll), kOk);
        ASSERT_NE(SelectFirst(), "");
        EXPECT_NE(c.refused(*field_), kOk);
        EXPECT_EQ(Request(kIdle), kNoCard);
        EXPECT_EQ(Request(kAll), kOk);
    }
}

TEST_F(FieldTest, ARequestReachingTheActiveCardSendsItBackUnanswered) {
    Make({CardKind::kMifare1K});
    ASSERT_EQ(Request(kAll), kOk);
    ASSERT_EQ(SelectFirst(), ToHex(kMifare1KUid));
    EXPECT_EQ(Request(kIdle), kNoCard);
    EXPECT_EQ(field_->SelectedKind(), std::nullopt);
    EXPECT_EQ(Request(kIdle), kOk);  // idle now, it answers the next one
    EXPECT_EQ(SelectFirst(), ToHex(kMifare1KUid));

    Make({CardKind::kMifare1K, CardKind::kUltraLight});
    ASSERT_EQ(Request(kAll), kOk);
    ASSERT_EQ(SelectTag(), ToHex(UltralightTag::kDefaultUid));
    ASSERT_EQ(Request(kIdle), kOk);  // the Mifare card answers, the active tag does not
    EXPECT_EQ(atqa_, "0400");
    EXPECT_EQ(SelectTag(), "");
}

TEST_F(FieldTest, ATagAloneIsFoundByTheCascadeAndRefusesMifareAuthentication) {
    Make({CardKind::kUltraLight});
    ASSERT_EQ(Request(kAll), kOk);
    uint8_t uid[10] = {}, length = 0, sak = 0xFF;
    ASSERT_EQ(field_->Anticoll(uid, &length), kOk);
    EXPECT_EQ(ToHex(std::vector<uint8_t>(uid, uid + length)), ToHex(UltralightTag::kDefaultUid));
    ASSERT_EQ(field_->Select(uid, length, &sak), kOk);
    EXPECT_EQ(sak, 0x00);
    EXPECT_EQ(field_->Authenticate(0x60, 4, Hex("FFFFFFFFFFFF").data()), kCardError);
    EXPECT_EQ(field_->SelectedKind(), std::nullopt);
}

TEST_F(FieldTest, BadArgumentsAreRefused) {
    Make({CardKind::kMifare1K});
    uint8_t atqa[2], uid[16] = {}, sak = 0;
    EXPECT_EQ(field_->Request(0x10, atqa), kBadArgument);
    EXPECT_EQ(field_->Request(kAll, nullptr), kBadArgument);
    ASSERT_EQ(field_->Request(kAll, atqa), kOk);
    EXPECT_EQ(field_->Select(uid, 5, &sak), kBadArgument);
    EXPECT_EQ(field_->Select(nullptr, 4, &sak), kBadArgument);
    ASSERT_EQ(SelectFirst(), ToHex(kMifare1KUid));
    EXPECT_EQ(field_->Authenticate(0x62, 4, Hex("FFFFFFFFFFFF").data()), kBadArgument);
    EXPECT_EQ(field_->Read(64, uid), kBadArgument);  // past the 1K card
    EXPECT_EQ(field_->ReadValue(4, nullptr), kBadArgument);
}

}  // namespace
