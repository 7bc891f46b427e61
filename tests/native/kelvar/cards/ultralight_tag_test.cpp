#include "kelvar/cards/ultralight_tag.h"

#include <gtest/gtest.h>

#include "ultralight_test_support.h"

namespace {

using namespace kelvar;
using namespace ultralight_test;

constexpr const char* kZeroPage = "00000000";

// A tag on an in-memory store, not yet in the field.
class UltralightTagTest : public ::testing::Test {
protected:
    ImageStore store;
    UltralightTag tag{store};
};

TEST_F(UltralightTagTest, FreshTagAnswersWithItsUidAndCascadeCheckBytes) {
    uint8_t atqa[2] = {};
    std::array<uint8_t, 7> uid{};
    ASSERT_EQ(tag.Request(UltralightFamilyTag::kRequestIdle, atqa), kOk);
    EXPECT_EQ(ToHex(atqa), "4400");
    ASSERT_EQ(SelectTag(tag, uid.data()), kOk);
    EXPECT_EQ(ToHex(uid), "5A112C639E4180");
    // BCC0 = 88 ^ 5A ^ 11 ^ 2C, BCC1 = 63 ^ 9E ^ 41 ^ 80; lock bytes and OTP zero.
    EXPECT_EQ(ReadHex(tag, 0), "5A112CEF" "639E4180" "3C480000" "00000000");

    const TagUid other = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08};
    ImageStore otherStore;
    UltralightTag second(otherStore, "second.img", other);
    Activate(second);
    EXPECT_EQ(ReadHex(second, 0).substr(0, 24), "01020388" "04050608" "0F480000");
}

TEST_F(UltralightTagTest, ActivationStates) {
    uint8_t atqa[2], uid[7], data[16];

    // Never requested: no answer to select, nothing to read, write or halt.
    EXPECT_EQ(SelectTag(tag, uid), kNoCard);
    EXPECT_EQ(tag.Read(4, data), kNotSelected);
    EXPECT_EQ(WriteHex(tag, 4, "01020304"), kNotSelected);
    EXPECT_EQ(tag.Halt(), kNotSelected);

    // Requested but not yet selected.
    ASSERT_EQ(tag.Request(UltralightFamilyTag::kRequestAll, atqa), kOk);
    EXPECT_EQ(tag.Read(4, data), kNotSelected);
    ASSERT_EQ(SelectTag(tag, uid), kOk);
    EXPECT_TRUE(tag.IsActive());
    EXPECT_EQ(SelectTag(tag, uid), kNoCard);  // already active
    EXPECT_EQ(tag.Read(4, data), kOk);

    // Halted: idle requests pass it by, a request for all wakes it.
    ASSERT_EQ(tag.Halt(), kOk);
    EXPECT_EQ(tag.Read(4, data), kNotSelected);
    EXPECT_EQ(tag.Request(UltralightFamilyTag::kRequestIdle, atqa), kNoCard);
    EXPECT_EQ(SelectTag(tag, uid), kNoCard);
    EXPECT_EQ(tag.Request(UltralightFamilyTag::kRequestAll, atqa), kOk);
    ASSERT_EQ(SelectTag(tag, uid), kOk);

    // Switching the field off forgets the halt.
    ASSERT_EQ(tag.Halt(), kOk);
    tag.FieldReset();
    EXPECT_EQ(tag.Request(UltralightFamilyTag::kRequestIdle, atqa), kOk);
}

TEST_F(UltralightTagTest, RefusesBadArguments) {
    uint8_t atqa[2], data[16] = {};
    EXPECT_EQ(tag.Request(0x00, atqa), kBadArgument);
    EXPECT_EQ(tag.Request(UltralightFamilyTag::kRequestAll, nullptr), kBadArgument);
    EXPECT_EQ(SelectTag(tag, nullptr), kBadArgument);
    Activate(tag);
    EXPECT_EQ(ReadStatus(tag, 16), kBadArgument);
    EXPECT_EQ(ReadStatus(tag, 255), kBadArgument);
    EXPECT_EQ(tag.Read(4, nullptr), kBadArgument);
    EXPECT_EQ(AfterRefusal(tag, tag.WritePage(16, data)), kBadArgument);
    EXPECT_EQ(tag.WritePage(4, nullptr), kBadArgument);
}

TEST_F(UltralightTagTest, ReadWrapsAroundToPageZero) {
    Activate(tag);
    for (uint8_t page = 4; page < 16; ++page)
        ASSERT_EQ(tag.WritePage(page, std::array<uint8_t, 4>{page, page, page, page}.data()), kOk);
    EXPECT_EQ(ReadHex(tag, 12), "0C0C0C0C" "0D0D0D0D" "0E0E0E0E" "0F0F0F0F");
    EXPECT_EQ(ReadHex(tag, 14), "0E0E0E0E" "0F0F0F0F" "5A112CEF" "639E4180");
    EXPECT_EQ(ReadHex(tag, 15), "0F0F0F0F" "5A112CEF" "639E4180" "3C480000");
}

TEST_F(UltralightTagTest, SerialPagesAreReadOnlyAndPageTwoTakesOnlyLockBytes) {
    Activate(tag);
    EXPECT_EQ(WriteHex(tag, 0, "11223344"), kAccessDenied);
    EXPECT_EQ(WriteHex(tag, 1, "11223344"), kAccessDenied);
    ASSERT_EQ(WriteHex(tag, 2, "FFFF0000"), kOk);
    EXPECT_EQ(PageHex(tag, 2), "3C480000");
    ASSERT_EQ(WriteHex(tag, 2, "00001000"), kOk);  // lock page 4
    EXPECT_EQ(PageHex(tag, 2), "3C481000");
    EXPECT_EQ(ReadHex(tag, 0).substr(0, 16), "5A112CEF639E4180");
}

TEST_F(UltralightTagTest, OtpPageBitsCanOnlySet) {
    Activate(tag);
    ASSERT_EQ(WriteHex(tag, 3, "0F000001"), kOk);
    ASSERT_EQ(WriteHex(tag, 3, "F0000100"), kOk);
    ASSERT_EQ(WriteHex(tag, 3, kZeroPage), kOk);
    EXPECT_EQ(PageHex(tag, 3), "FF000101");
}

TEST_F(UltralightTagTest, LockBitsMakePagesReadOnlyForGood) {
    Activate(tag);
    // Byte 2: bit 3 page 3, bit 5 page 5; byte 3: bit 0 page 8, bit 7 page 15.
    ASSERT_EQ(WriteHex(tag, 5, "AABBCCDD"), kOk);
    ASSERT_EQ(WriteHex(tag, 2, "00002881"), kOk);
    EXPECT_EQ(WriteHex(tag, 3, "01000000"), kAccessDenied);
    EXPECT_EQ(WriteHex(tag, 5, "01020304"), kAccessDenied);
    EXPECT_EQ(WriteHex(tag, 8, "01020304"), kAccessDenied);
    EXPECT_EQ(WriteHex(tag, 15, "01020304"), kAccessDenied);
    EXPECT_EQ(PageHex(tag, 5), "AABBCCDD");
    EXPECT_EQ(WriteHex(tag, 4, "01020304"), kOk);
    EXPECT_EQ(WriteHex(tag, 9, "01020304"), kOk);
    EXPECT_EQ(WriteHex(tag, 14, "01020304"), kOk);

    // Writing zeros does not clear lock bits.
    ASSERT_EQ(WriteHex(tag, 2, kZeroPage), kOk);
    EXPECT_EQ(PageHex(tag, 2), "3C482881");
    EXPECT_EQ(WriteHex(tag, 5, "01020304"), kAccessDenied);
}

TEST_F(UltralightTagTest, BlockLockingBitsFreezeTheirLockBits) {
    Activate(tag);
    // Bit 1 freezes the lock bits of pages 4-9, bit 0 the bit of the OTP page.
    ASSERT_EQ(WriteHex(tag, 2, "00000300"), kOk);
    ASSERT_EQ(WriteHex(tag, 2, "0000F8FF"), kOk);
    EXPECT_EQ(PageHex(tag, 2), "3C4803FC");
    for (uint8_t page : {3, 4, 5, 6, 7, 8, 9})
        EXPECT_EQ(WriteHex(tag, page, "01000000"), kOk) << "page " << int(page);
    for (uint8_t page : {10, 11, 15})
        EXPECT_EQ(WriteHex(tag, page, "01000000"), kAccessDenied) << "page " << int(page);

    // Bit 2 freezes pages 10-15 of byte 3.
    ImageStore otherStore;
    UltralightTag other(otherStore);
    Activate(other);
    ASSERT_EQ(WriteHex(other, 2, "00000400"), kOk);
    ASSERT_EQ(WriteHex(other, 2, "000000FF"), kOk);
    EXPECT_EQ(PageHex(other, 2), "3C480403");
}

TEST(UltralightTag, WritesPersistThroughTheImageStore) {
    TempFolder folder;
    {
        ImageStore store(folder.Path());
        UltralightTag tag(store);
        Activate(tag);
        ASSERT_EQ(WriteHex(tag, 7, "DEADBEEF"), kOk);
        ASSERT_EQ(WriteHex(tag, 2, "00000001"), kOk);
    }
    EXPECT_EQ(std::filesystem::file_size(folder.Path() / UltralightTag::kDefaultImageName), kImageHeaderSize + 64u);

    ImageStore store(folder.Path());
    UltralightTag tag(store);
    Activate(tag);
    EXPECT_EQ(ReadHex(tag, 6), "00000000" "DEADBEEF" "00000000" "00000000");
    EXPECT_EQ(WriteHex(tag, 8, "01020304"), kAccessDenied);

    // Two models on one in-memory store share the image too.
    ImageStore memory;
    UltralightTag first(memory, "shared.img");
    Activate(first);
    ASSERT_EQ(WriteHex(first, 4, "CAFEF00D"), kOk);
    UltralightTag second(memory, "shared.img");
    Activate(second);
    EXPECT_EQ(ReadHex(second, 4).substr(0, 8), "CAFEF00D");
}

TEST(UltralightTag, FailedSaveReportsAndLeavesMemoryUnchanged) {
    TempFolder folder;
    ImageStore store(folder.Unwritable());
    UltralightTag tag(store);
    Activate(tag);
    EXPECT_EQ(WriteHex(tag, 4, "01020304"), kStoreFailed);
    EXPECT_EQ(WriteHex(tag, 2, "000000FF"), kStoreFailed);
    EXPECT_EQ(ReadHex(tag, 0), "5A112CEF" "639E4180" "3C480000" "00000000");
    EXPECT_EQ(PageHex(tag, 4), kZeroPage);
    // A write that changes nothing has nothing to save.
    EXPECT_EQ(WriteHex(tag, 4, kZeroPage), kOk);
}

}  // namespace
