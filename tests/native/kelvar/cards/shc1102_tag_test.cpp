#include "kelvar/cards/shc1102_tag.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kelvar/reader/iso14443a_field.h"
#include "kelvar/reader/reader_config.h"
#include "support/hex_bytes.h"

namespace {

using namespace kelvar;
using test_hex::Hex;
using test_hex::ToHex;

// The tag as the panel meets it: in the default field, woken by a request
// and never selected.
class Shc1102 : public ::testing::Test {
protected:
    Shc1102() { Restart(); }

    void Restart() {
        field_ = std::make_unique<Iso14443aField>(store_, DefaultFieldOrder());
        field_->SetPowered(true);
        uint8_t atqa[2] = {};
        EXPECT_EQ(field_->Request(Iso14443aField::kRequestAll, atqa), kOk);
    }
    std::string Read(uint8_t block) {
        uint8_t out[16] = {}, length = 0;
        const Status status = field_->Shc1102Read(block, out, &length);
        if (status != kOk) return "status " + std::to_string(status);
        return ToHex(std::vector<uint8_t>(out, out + length));
    }
    Status Auth(const char* password) { return field_->Shc1102Authenticate(Hex(password).data()); }
    Status Write(uint8_t block, const char* data) { return field_->Shc1102Write(block, Hex(data).data()); }

    ImageStore store_;
    std::unique_ptr<Iso14443aField> field_;
};

TEST_F(Shc1102, OpenBlocksReadFreelyAndTheRestNeedThePassword) {
    EXPECT_EQ(Read(0), ToHex(Shc1102Tag::kDefaultUid));
    EXPECT_EQ(Read(7), "00000000");
    EXPECT_EQ(Read(8), "status " + std::to_string(kNotAuthenticated));
    EXPECT_EQ(Write(5, "01020304"), kNotSelected);  // the refusal sent the tag back to idle

    Restart();
    EXPECT_EQ(Auth("01020304"), kAuthFailed);
    EXPECT_EQ(Read(0), "status " + std::to_string(kNotSelected));

    Restart();
    ASSERT_EQ(Auth("FFFFFFFF"), kOk);
    EXPECT_EQ(Read(8), "FFFFFFFF");
    EXPECT_EQ(Write(1, "00000000"), kAccessDenied);
    Restart();
    ASSERT_EQ(Auth("FFFFFFFF"), kOk);
    EXPECT_EQ(Write(16, "00000000"), kBadArgument);
}

TEST_F(Shc1102, ChangedPasswordHoldsAfterARestartAndTheOldOneFails) {
    ASSERT_EQ(Auth("FFFFFFFF"), kOk);
    ASSERT_EQ(Write(15, "CAFEBABE"), kOk);
    ASSERT_EQ(Write(8, "11223344"), kOk);

    field_->SetPowered(false);  // the verified password goes with the field
    field_->SetPowered(true);
    Restart();
    EXPECT_EQ(Read(15), "status " + std::to_string(kNotAuthenticated));
    Restart();
    EXPECT_EQ(Auth("FFFFFFFF"), kAuthFailed);
    Restart();
    ASSERT_EQ(Auth("11223344"), kOk);
    EXPECT_EQ(Read(15), "CAFEBABE");
    EXPECT_EQ(Read(8), "11223344");
}

TEST_F(Shc1102, OtherCardsInTheFieldLetTheCommandThrough) {
    Iso14443aField onlyMifare(store_, std::vector<CardKind>{CardKind::kMifare1K});
    onlyMifare.SetPowered(true);
    uint8_t atqa[2] = {}, out[4] = {}, length = 0;
    ASSERT_EQ(onlyMifare.Request(Iso14443aField::kRequestAll, atqa), kOk);
    EXPECT_EQ(onlyMifare.Shc1102Read(0, out, &length), kCardError);
    EXPECT_EQ(onlyMifare.Shc1102Read(0, out, &length), kNotSelected);
}

}  // namespace
