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
constexpr char k01pUid[] = "712C4E09310005E0";
constexpr char k02pUid[] = "18A63D52320005E0";
constexpr char k10pUid[] = "940B7F66330005E0";
constexpr char kSri64Uid[] = "3E815C200A0002E0";
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
    EXPECT_EQ(field_.TagCount(), 6u);
    EXPECT_EQ(Answer([&](uint8_t* out, uint8_t* length) { return field_.Inventory(out, length); }),
              std::string("00") + kSliUid + "00" + kTagItUid + "00" + k02pUid + "00" + k10pUid + "00" + k01pUid +
                  "00" + kSri64Uid);
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
    EXPECT_EQ(Answer([&](uint8_t* out, uint8_t* length) { return field_.Inventory(out, length); }).substr(0, 36),
              std::string("5A") + kSliUid + "00" + kTagItUid);
}

}  // namespace

TEST_F(VicinityFieldTest, MakerInventoryFindsOnlyThatMakersTagsWithTheAfi) {
    ASSERT_EQ(field_.WriteAfi(kPlain, Hex(k02pUid).data(), 0x42), kOk);
    const auto inventory = [&](uint8_t maker, uint8_t afi) {
        return Answer([&](uint8_t* out, uint8_t* length) { return field_.MakerInventory(maker, afi, out, length); });
    };
    EXPECT_EQ(inventory(0x05, 0x42), std::string("00") + k02pUid);
    EXPECT_EQ(inventory(0x05, 0x43), "");
    EXPECT_EQ(inventory(0x05, 0), std::string("00") + k02pUid + "00" + k10pUid + "00" + k01pUid);
    EXPECT_EQ(inventory(0x02, 0), std::string("00") + kSri64Uid);
}

TEST_F(VicinityFieldTest, PagedTagsReadAndWriteEightBytePagesWithReadBack) {
    const auto page = [&](const char* uid, uint8_t p) {
        return Answer([&](uint8_t* out, uint8_t* length) { return field_.ReadPage(Hex(uid).data(), p, out, length); });
    };
    const auto write = [&](const char* uid, uint8_t p, const char* data) {
        return Answer([&](uint8_t* out, uint8_t* length) {
            return field_.WritePageReadBack(Hex(uid).data(), p, Hex(data).data(), out, length);
        });
    };
    EXPECT_EQ(write(k10pUid, 127, "0102030405060708"), "0102030405060708");
    EXPECT_EQ(page(k10pUid, 127), "0102030405060708");
    EXPECT_EQ(Read(kPlain, k10pUid, 254, 2), "0102030405060708");  // two blocks a page
    EXPECT_EQ(page(k02pUid, 31), "0000000000000000");
    EXPECT_EQ(page(k02pUid, 32), "status " + std::to_string(kBadArgument));
    EXPECT_EQ(page(kSliUid, 0), "status " + std::to_string(kCardError));

    ASSERT_EQ(field_.LockBlock(kPlain, Hex(k02pUid).data(), 3), kOk);  // second block of page 1
    EXPECT_EQ(write(k02pUid, 1, "1111111111111111"), "status " + std::to_string(kAccessDenied));
    EXPECT_EQ(page(k02pUid, 1), "0000000000000000");  // neither half written
}

TEST_F(VicinityFieldTest, ConfigBlockChangesOnlyThroughTheCustomRequest) {
    // Sent as the panel builds it: the reader adds the CRC.
    std::vector<uint8_t> frame = Hex(std::string("22A005") + k01pUid + "901000" "03" "5A");
    const auto send = [&] {
        return Answer([&](uint8_t* out, uint8_t* length) {
            return field_.Transceive(frame.data(), static_cast<uint8_t>(frame.size()), out, length);
        });
    };
    EXPECT_EQ(send(), "00");
    frame[14] = 2;
    frame[15] = 0xA5;
    EXPECT_EQ(send(), "00");
    EXPECT_EQ(Read(kPlain, k01pUid, 16, 1), "0000A55A");
    uint8_t restarted[4] = {};
    ASSERT_EQ(MakeVicinityTag(CardKind::kSrf55V01P, store_)->ReadBlocks(16, 1, restarted), kOk);
    EXPECT_EQ(ToHex(std::vector<uint8_t>(restarted, restarted + 4)), "0000A55A");
    EXPECT_EQ(field_.Write(kPlain, Hex(k01pUid).data(), 16, Hex("01020304").data()), kAccessDenied);

    frame[14] = 1;  // bytes 0 and 1 cannot be changed: the addressed tag answers an error
    EXPECT_EQ(send(), "0101");
    frame[14] = 3;
    const auto whole = frame;
    frame.pop_back();  // a parameter short
    EXPECT_EQ(send(), "0101");
    frame = whole;
    frame[3] ^= 1;  // no tag has this UID
    EXPECT_EQ(send(), "status " + std::to_string(kNoCard));
    frame = whole;
    frame[2] = 0x04;  // another maker's command: the addressed tag does not hear it
    EXPECT_EQ(send(), "status " + std::to_string(kNoCard));

    frame = whole;
    ASSERT_EQ(field_.LockBlock(kPlain, Hex(k01pUid).data(), 16), kOk);
    EXPECT_EQ(send(), "0112");
    EXPECT_EQ(Read(kPlain, k01pUid, 16, 1), "0000A55A");
}

TEST_F(VicinityFieldTest, ByteBlocksAnswerDataAndStatusAndTakeOneByteWrites) {
    ASSERT_EQ(field_.WriteByteBlock(kPlain, Hex(kSri64Uid).data(), 10, 0xC3), kOk);
    ASSERT_EQ(field_.LockBlock(kPlain, Hex(kSri64Uid).data(), 13), kOk);
    EXPECT_EQ(Read(kPlain, kSri64Uid, 10, 1), "C300");
    EXPECT_EQ(Read(kPlain, kSri64Uid, 13, 1), "0001");
    EXPECT_EQ(field_.WriteByteBlock(kPlain, Hex(kSri64Uid).data(), 13, 1), kAccessDenied);
    EXPECT_EQ(field_.WriteByteBlock(kPlain, Hex(kSri64Uid).data(), 14, 1), kBadArgument);
    EXPECT_EQ(field_.Write(kPlain, Hex(kSri64Uid).data(), 1, Hex("01020304").data()), kCardError);
    EXPECT_EQ(field_.WriteByteBlock(kPlain, Hex(kSliUid).data(), 1, 1), kCardError);
}
