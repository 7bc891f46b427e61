#include "kelvar/cards/iso15693_tag.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/hex_bytes.h"
#include "ultralight_test_support.h"

using test_hex::Hex;
using test_hex::ToHex;

namespace kelvar {
namespace {

constexpr Iso15693Profile kTagIt{"tagit-test.img", {0x11, 0x22, 0x33, 0x44, 0x00, 0x00, 0x07, 0xE0}, 64, 0x00,
                                 true, 0x00, 0x00};
constexpr Iso15693Profile kSli{"sli-test.img", {0x8A, 0x17, 0x5C, 0x21, 0x00, 0x01, 0x04, 0xE0}, 28, 0x01,
                               false, 0x01, 0x07};

std::string Read(const Iso15693Tag& tag, size_t first, size_t count) {
    std::vector<uint8_t> out(count * Iso15693Tag::kBlockSize);
    return tag.ReadBlocks(first, count, out.data()) == kOk ? ToHex(out) : "";
}

std::string Security(const Iso15693Tag& tag, size_t first, size_t count) {
    std::vector<uint8_t> out(count);
    return tag.BlockSecurity(first, count, out.data()) == kOk ? ToHex(out) : "";
}

TEST(Iso15693TagTest, SystemInformationAndReadsCoverExactlyTheBlocks) {
    ImageStore store;
    Iso15693Tag tag(store, kSli);
    uint8_t info[Iso15693Tag::kSystemInformationSize];
    tag.SystemInformation(info);
    EXPECT_EQ(ToHex(info), "0F" "8A175C21000104E0" "01" "07" "1B" "03" "01");
    EXPECT_EQ(Read(tag, 14, 14).size(), 14u * 8);
    EXPECT_EQ(Read(tag, 15, 14), "");  // one block past the end
    EXPECT_EQ(Read(tag, 0, 0), "");
    EXPECT_EQ(Security(tag, 0, 28), std::string(56, '0'));
    EXPECT_EQ(Security(tag, 28, 1), "");
    EXPECT_TRUE(tag.Addressed(Hex("8A175C21000104E0")));
    EXPECT_FALSE(tag.Addressed(Hex("E0040100215C178A")));  // the other byte order
}

TEST(Iso15693TagTest, LocksAndTheOptionFlagGuardEveryWrite) {
    ImageStore store;
    Iso15693Tag tagIt(store, kTagIt);
    const Bytes data = Hex("DEADBEEF");
    EXPECT_EQ(tagIt.WriteBlock(false, 3, data.data()), kCardError);  // this tag wants the option flag
    EXPECT_EQ(tagIt.LockBlock(false, 3), kCardError);
    EXPECT_EQ(tagIt.WriteAfi(false, 0x42), kCardError);
    ASSERT_EQ(tagIt.WriteBlock(true, 3, data.data()), kOk);
    ASSERT_EQ(tagIt.LockBlock(true, 3), kOk);
    EXPECT_EQ(tagIt.LockBlock(true, 3), kAccessDenied);
    EXPECT_EQ(tagIt.WriteBlock(true, 3, Hex("00000000").data()), kAccessDenied);
    EXPECT_EQ(tagIt.WriteBlock(true, 64, data.data()), kBadArgument);
    EXPECT_EQ(Read(tagIt, 3, 1), "DEADBEEF");
    EXPECT_EQ(Security(tagIt, 2, 3), "000100");

    Iso15693Tag sli(store, kSli);
    ASSERT_EQ(sli.WriteDsfid(false, 0x55), kOk);  // either flag will do
    ASSERT_EQ(sli.WriteAfi(true, 0x66), kOk);
    ASSERT_EQ(sli.LockAfi(false), kOk);
    EXPECT_EQ(sli.WriteAfi(false, 0x00), kAccessDenied);
    EXPECT_EQ(sli.LockAfi(false), kAccessDenied);
    ASSERT_EQ(sli.WriteDsfid(false, 0x56), kOk);  // the DSFID has its own lock
    ASSERT_EQ(sli.LockDsfid(false), kOk);
    EXPECT_EQ(sli.WriteDsfid(false, 0x57), kAccessDenied);
    EXPECT_EQ(sli.Dsfid(), 0x56);
    EXPECT_EQ(sli.Afi(), 0x66);
}

TEST(Iso15693TagTest, ChangesPersistAndAFailedSaveChangesNothing) {
    ultralight_test::TempFolder folder;
    {
        ImageStore store(folder.Path());
        Iso15693Tag tag(store, kSli);
        ASSERT_EQ(tag.WriteBlock(false, 27, Hex("01020304").data()), kOk);
        ASSERT_EQ(tag.LockBlock(false, 27), kOk);
        ASSERT_EQ(tag.WriteAfi(false, 0x90), kOk);
    }
    ImageStore store(folder.Path());
    Iso15693Tag again(store, kSli);
    EXPECT_EQ(Read(again, 27, 1), "01020304");
    EXPECT_EQ(Security(again, 27, 1), "01");
    EXPECT_EQ(again.Afi(), 0x90);

    ImageStore broken(folder.Unwritable());
    Iso15693Tag unsaved(broken, kSli);
    EXPECT_EQ(unsaved.WriteBlock(false, 0, Hex("FFFFFFFF").data()), kStoreFailed);
    EXPECT_EQ(unsaved.LockBlock(false, 0), kStoreFailed);
    EXPECT_EQ(Read(unsaved, 0, 1), "00000000");
    EXPECT_EQ(Security(unsaved, 0, 1), "00");
}

}  // namespace
}  // namespace kelvar
