// ISO 14443-4 cards in their fields: activation, APDUs and native frames,
// deselect, and updates that are stored before the answer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../cards/ultralight_test_support.h"
#include "kelvar/cards/desfire_card.h"
#include "kelvar/cards/pro_card.h"
#include "kelvar/cards/smart_card_b.h"
#include "kelvar/reader/iso14443a_field.h"
#include "kelvar/reader/iso14443b_field.h"
#include "kelvar/reader/reader_config.h"
#include "support/hex_bytes.h"

using namespace kelvar;
using test_hex::Hex;
using test_hex::ToHex;

namespace {

constexpr uint8_t kIdle = Iso14443aField::kRequestIdle;
constexpr uint8_t kAll = Iso14443aField::kRequestAll;

// "ACCOUNT 6001 000" and "ACCOUNT 6002 000", the start of each card's record.
constexpr char kProRecordStart[] = "4143434F554E542036303031203030309000";
constexpr char kCardBRecordStart[] = "4143434F554E542036303032203030309000";

// Sends hex text as one frame: the answer in hex, or "status N".
template <typename Field>
std::string Send(Field& field, const std::string& frame) {
    const auto bytes = Hex(frame);
    uint8_t out[256] = {}, length = 0;
    const Status status = field.Exchange(bytes.data(), static_cast<uint8_t>(bytes.size()), out, &length);
    if (status != kOk) return "status " + std::to_string(status);
    return ToHex(std::vector<uint8_t>(out, out + length));
}

class TypeAProcessorTest : public ::testing::Test {
protected:
    void Make(std::vector<CardKind> kinds, const std::filesystem::path& folder = {}) {
        field_.reset();
        store_ = std::make_unique<ImageStore>(folder);
        field_ = std::make_unique<Iso14443aField>(*store_, kinds);
        field_->SetPowered(true);
    }
    // The reset answer in hex, or "status N".
    std::string Reset(uint8_t mode, size_t uidSize) {
        uint8_t out[256] = {}, length = 0;
        const Status status = field_->ActivateIsoDep(mode, uidSize, out, &length);
        if (status != kOk) return "status " + std::to_string(status);
        return ToHex(std::vector<uint8_t>(out, out + length));
    }

    std::unique_ptr<ImageStore> store_;
    std::unique_ptr<Iso14443aField> field_;
};

TEST_F(TypeAProcessorTest, TheDefaultFieldResetsTheProcessorCardsPastTheMemoryCards) {
    Make(DefaultFieldOrder());
    EXPECT_EQ(Reset(kAll, 4), "3E915CA7" "1078807002" "4B562D50524F2D30310000");  // 4 + 16 bytes
    EXPECT_EQ(field_->SelectedKind(), CardKind::kMifarePro);
    EXPECT_EQ(Reset(kAll, 7), "045A219C3E6180" "067577810280");
    EXPECT_EQ(field_->SelectedKind(), CardKind::kDesFire);

    // Native frames: the version over three frames, then a chained read.
    EXPECT_EQ(Send(*field_, "60"), "AF04010101001805");
    EXPECT_EQ(Send(*field_, "AF"), "AF04010101041805");
    EXPECT_EQ(Send(*field_, "AF").substr(0, 16), "00045A219C3E6180");
    EXPECT_EQ(Send(*field_, "5A01564B"), "00");
    const std::string first = Send(*field_, "BD01000000000000");
    EXPECT_EQ(first.substr(0, 2), "AF");
    EXPECT_EQ(first.size(), 2u + 59 * 2);
    EXPECT_EQ(Send(*field_, "AF").size(), 2u + 41 * 2);
    EXPECT_EQ(Send(*field_, "5A030000"), "A0");
    EXPECT_EQ(Send(*field_, "00A4040006F04B5601000100"), "1C");  // APDUs are not its language
}

TEST_F(TypeAProcessorTest, ApdusSelectReadUpdateAndChallenge) {
    Make({CardKind::kMifarePro});
    ASSERT_EQ(Reset(kAll, 4).substr(0, 8), "3E915CA7");
    // Short id 1 is the label in the master file, the record in the application.
    EXPECT_EQ(Send(*field_, "00B0810018"), "4B562050524F434553534F52204341524420545950452041" "9000");
    EXPECT_EQ(Send(*field_, "00A4040006F04B5601000100"), "6F0C83021001" "8406F04B56010001" "9000");
    EXPECT_EQ(Send(*field_, "00B0810010"), kProRecordStart);
    EXPECT_EQ(Send(*field_, "00D6820004DEADBEEF"), "9000");
    EXPECT_EQ(Send(*field_, "00B0820006"), "DEADBEEF0000" "9000");
    const std::string challenge = Send(*field_, "0084000008");
    EXPECT_EQ(challenge.size(), 20u);
    EXPECT_EQ(challenge.substr(16), "9000");
    EXPECT_EQ(Send(*field_, "00CA000000"), "6D00");
    EXPECT_EQ(Send(*field_, "00A4040005A000000003"), "6A82");
    EXPECT_EQ(Send(*field_, "00B0"), "6700");
    EXPECT_EQ(Send(*field_, "00A40000023F00"), "6F0483023F00" "9000");
    EXPECT_EQ(Send(*field_, "00A40000020101"), "6A82");  // the record is not in the master file
}

TEST_F(TypeAProcessorTest, DeselectHaltsTheCardSoOnlyARequestOfAllFindsItAgain) {
    Make({CardKind::kMifarePro, CardKind::kMifare1K});
    EXPECT_EQ(Send(*field_, "0084000008"), "status " + std::to_string(kNotSelected));
    ASSERT_NE(Reset(kAll, 4).substr(0, 6), "status");
    EXPECT_EQ(Reset(kAll, 7), "status " + std::to_string(kNoCard));  // no double-size card here
    ASSERT_NE(Reset(kIdle, 4).substr(0, 6), "status");               // idle again: it answers
    EXPECT_EQ(Reset(kIdle, 4), "status " + std::to_string(kNoCard));  // the active card stays silent
    ASSERT_NE(Reset(kIdle, 4).substr(0, 6), "status");
    ASSERT_EQ(field_->Deselect(), kOk);
    EXPECT_EQ(field_->SelectedKind(), std::nullopt);
    EXPECT_EQ(Reset(kIdle, 4), "status " + std::to_string(kNoCard));
    EXPECT_EQ(Reset(kAll, 4).substr(0, 8), "3E915CA7");
    EXPECT_EQ(Reset(0x00, 4), "status " + std::to_string(kBadArgument));

    // A card outside the protocol state refuses frames.
    field_->SetPowered(false);
    field_->SetPowered(true);
    uint8_t atqa[2], uid[10], length = 0, sak = 0;
    ASSERT_EQ(field_->Request(kAll, atqa), kOk);
    ASSERT_EQ(field_->Anticoll(uid, &length), kOk);
    ASSERT_EQ(field_->Select(uid, length, &sak), kOk);
    EXPECT_EQ(sak, 0x20);
    EXPECT_EQ(Send(*field_, "0084000008"), "status " + std::to_string(kCardError));
    EXPECT_EQ(field_->SelectedKind(), std::nullopt);
    EXPECT_EQ(field_->Deselect(), kNotSelected);
}

TEST_F(TypeAProcessorTest, UpdatesOutliveTheCardAndAFailedSaveAnswers6581) {
    ultralight_test::TempFolder folder;
    Make({CardKind::kMifarePro}, folder.Path());
    ASSERT_NE(Reset(kAll, 4).substr(0, 6), "status");
    ASSERT_EQ(Send(*field_, "00A4040006F04B5601000100").substr(28), "9000");
    ASSERT_EQ(Send(*field_, "00D68200020102"), "9000");

    Make({CardKind::kMifarePro}, folder.Path());
    ASSERT_NE(Reset(kAll, 4).substr(0, 6), "status");
    ASSERT_EQ(Send(*field_, "00A4040C06F04B5601000100"), "9000");
    EXPECT_EQ(Send(*field_, "00B0820003"), "010200" "9000");

    Make({CardKind::kMifarePro}, folder.Unwritable());
    ASSERT_NE(Reset(kAll, 4).substr(0, 6), "status");
    ASSERT_EQ(Send(*field_, "00A4040C06F04B5601000100"), "9000");
    EXPECT_EQ(Send(*field_, "00D6820002AAAA"), "6581");
    EXPECT_EQ(Send(*field_, "00B0820002"), "0000" "9000");
}

TEST(TypeBProcessorTest, AtqbAttachesTheCardAndItsFilesAnswerUntilDeselect) {
    ImageStore store;
    const CardKind kinds[] = {CardKind::kSmartCardB};
    Iso14443bField field(store, kinds);
    uint8_t atqb[256] = {}, length = 0;
    EXPECT_EQ(field.RequestAndAttach(Iso14443bField::kRequestIdle, atqb, &length), kNoCard);  // unpowered
    field.SetPowered(true);
    EXPECT_EQ(field.RequestAndAttach(0x52, atqb, &length), kBadArgument);
    EXPECT_EQ(Send(field, "0084000004"), "status " + std::to_string(kNotSelected));

    ASSERT_EQ(field.RequestAndAttach(Iso14443bField::kRequestIdle, atqb, &length), kOk);
    ASSERT_EQ(length, 12);
    EXPECT_EQ(ToHex(std::vector<uint8_t>(atqb, atqb + length)), "50" "6B2FD019" "00000000" "008171");
    EXPECT_EQ(Send(field, "00A4040006F04B5602000100"), "6F0C83022001" "8406F04B56020001" "9000");
    EXPECT_EQ(Send(field, "00B0810010"), kCardBRecordStart);
    EXPECT_EQ(Send(field, "0084000004").size(), 12u);

    ASSERT_EQ(field.Deselect(), kOk);
    EXPECT_EQ(field.Deselect(), kNotSelected);
    EXPECT_EQ(field.RequestAndAttach(Iso14443bField::kRequestIdle, atqb, &length), kNoCard);
    ASSERT_EQ(field.RequestAndAttach(Iso14443bField::kRequestAll, atqb, &length), kOk);
    EXPECT_EQ(Send(field, "00B0810004"), "4B562050" "9000");  // a new session starts at the master file

    field.SetPowered(false);
    EXPECT_EQ(Send(field, "00B0810010"), "status " + std::to_string(kNotSelected));
}

}  // namespace
