#include "kelvar/reader/iso15693_field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvar/reader/reader_config.h"
#include "kelvar/reader/vicinity_tags.h"
#include "support/hex_bytes.h"

using namespace kelvar;
using test_hex::Hex;
using test_hex::ToHex;

namespace {

constexpr char kSliUid[] = "3B6E9215080104E0";
constexpr char kTagItUid[] = "5D40A327000007E0";
constexpr uint8_t kPlain = 2;
constexpr uint8_t kOption = 6;

class VicinityFieldTest : public ::testing::Test {
protected:
    VicinityFieldTest() : field_(store_, DefaultFieldOrder()) { field_.SetPowered(true); }

    // The answer of a reading request in hex, or "status N".
    template <typename Request>
    std::string Answer(Request request) {
        uint8_t out[256] = {}, length = 0;
        const Status status = request(out, &length);
        if (status != kOk) return "status " + std::to_string(status);
        return ToHex(std::vector<uint8_t>(out, out + length));
    }
    std::string Read(uint8_t mode, const char* uid, uint8_t first, uint8_t count) {
        return Answer([&](uint8_t* out, uint8_t* length) {
            return field_.Read(mode, Hex(uid).data(), first, count, out, length);
        });
    }
    std::string Security(const char* uid, uint8_t first, uint8_t count) {
        return Answer([&](uint8_t* out, uint8_t* length) {
            return field_.GetBlockSecurity(kPlain, Hex(uid).data(), first, count, out, length);
        });
    }

    ImageStore store_;
    Iso15693Field field_;
};

TEST_F(VicinityFieldTest, InventoryAndSystemInformationOfTheDefaultTags) {
    EXPECT_EQ(field_.TagCount(), 2u);
    EXPECT_EQ(Answer([&](uint8_t* out, uint8_t* length) { return field_.Inventory(out, length); }),
              std::string("00") + kSliUid + "00" + kTagItUid);
    EXPECT_EQ(Answer([&](uint8_t* out, uint8_t* length) {
                  return field_.GetSystemInformation(kPlain, Hex(kTagItUid).data(), out, length);
              }),
              std::string("0F") + kTagItUid + "00" "00" "3F" "03" "00");

    field_.SetPowered(false);
    EXPECT_EQ(Answer([&](uint8_t* out, uint8_t* length) { return field_.Inventory(out, length); }),
              "status " + std::to_string(kNoCard));
    EXPECT_EQ(Read(kPlain, kSliUid, 0, 1), "status " + std::to_string(kNoCard));
}

TEST_F(VicinityFieldTest, RequestsAreAddressedByUidInTheInventoryOrderAndCheckTheirCounts) {
    EXPECT_EQ(Read(kPlain, kSliUid, 14, 14).size(), 14u * 8);
    EXPECT_EQ(Read(kPlain, kSliUid, 0, 15), "status " + std::to_string(kBadArgument));
    EXPECT_EQ(Read(kPlain, kSliUid, 0, 0), "status " + std::to_string(kBadArgument));
    EXPECT_EQ(Read(kPlain, kSliUid, 20, 14), "status " + std::to_string(kBadArgument));  // past block 27
    EXPECT_EQ(Read(kPlain, kTagItUid, 56, 8).size(), 8u * 8);
    EXPECT_EQ(Security(kTagItUid, 0, 28), std::string(56, '0'));
    EXPECT_EQ(Security(kTagItUid, 0, 29), "status " + std::to_string(kBadArgument));
    EXPECT_EQ(Read(kPlain, "E007000027A3405D", 0, 1), "status " + std::to_string(kNoCard));  // reversed
    for (uint8_t mode : {0, 1, 3, 4, 0x22}) {
        EXPECT_EQ(Read(mode, kSliUid, 0, 1), "status " + std::to_string(kBadArgument)) << int(mode);
    }
    EXPECT_EQ(field_.Write(kPlain, nullptr, 0, Hex("00000000").data()), kBadArgument);
}

TEST_F(VicinityFieldTest, WritesLocksAndTheOptionFlagAsThePanelsSendThem) {
    const auto sli = Hex(kSliUid), tagIt = Hex(kTagItUid);
    const auto data = Hex("DEADBEEF");
    EXPECT_EQ(field_.Write(kPlain, tagIt.data(), 63, data.data()), kCardError);  // Tag-it wants the flag
    ASSERT_EQ(field_.Write(kOption, tagIt.data(), 63, data.data()), kOk);
    ASSERT_EQ(field_.Write(kPlain, sli.data(), 2, data.data()), kOk);
    ASSERT_EQ(field_.Write(kOption, sli.data(), 5, data.data()), kOk);
    EXPECT_EQ(Read(kPlain, kSliUid, 2, 4), "DEADBEEF" "00000000" "00000000" "DEADBEEF");

    ASSERT_EQ(field_.LockBlock(kPlain, sli.data(), 5), kOk);
    EXPECT_EQ(field_.Write(kPlain, sli.data(), 5, Hex("00000000").data()), kAccessDenied);
    EXPECT_EQ(Security(kSliUid, 4, 3), "000100");
    // With the option flag a read gives each block's security status first.
    EXPECT_EQ(Read(kOption, kSliUid, 4, 2), "00" "00000000" "01" "DEADBEEF");

    ASSERT_EQ(field_.WriteDsfid(kPlain, sli.data(), 0x5A), kOk);
    ASSERT_EQ(field_.WriteAfi(kOption, tagIt.data(), 0xA5), kOk);
    ASSERT_EQ(field_.LockAfi(kOption, tagIt.data()), kOk);
    EXPECT_EQ(field_.WriteAfi(kOption, tagIt.data(), 0x00), kAccessDenied);
    ASSERT_EQ(field_.LockDsfid(kPlain, sli.data()), kOk);
    EXPECT_EQ(field_.WriteDsfid(kPlain, sli.data(), 0x00), kAccessDenied);
    EXPECT_EQ(Answer([&](uint8_t* out, uint8_t* length) { return field_.Inventory(out, length); }),
              std::string("5A") + kSliUid + "00" + kTagItUid);
}

}  // namespace
