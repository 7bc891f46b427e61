#include "kelvar/cards/ntag203_tag.h"

#include <gtest/gtest.h>

#include "ultralight_test_support.h"

namespace {

using namespace kelvar;
using namespace ultralight_test;

class Ntag203 : public ::testing::Test {
protected:
    void SetUp() override { Activate(tag_); }

    ImageStore store_;
    Ntag203Tag tag_{store_};
};

TEST_F(Ntag203, FreshTagIsFormattedAndWritableFromPageFour) {
    EXPECT_EQ(ReadHex(tag_, 0), "5A237B8A" "0EC53196" "6C480000" "E1101200");
    EXPECT_EQ(ReadHex(tag_, 4), "0103A010" "440300FE" "00000000" "00000000");
    for (uint8_t page = 4; page < 40; ++page)
        ASSERT_EQ(tag_.WritePage(page, std::array<uint8_t, 4>{page, 0, 0, page}.data()), kOk) << int(page);
    EXPECT_EQ(ReadHex(tag_, 36), "24000024" "25000025" "26000026" "27000027");
    EXPECT_EQ(ReadStatus(tag_, 42), kBadArgument);
    EXPECT_EQ(WriteHex(tag_, 42, "01020304"), kBadArgument);
}

TEST_F(Ntag203, ReadWrapsAfterTheCounterPage) {
    ASSERT_EQ(WriteHex(tag_, 41, "0700FFFF"), kOk);
    EXPECT_EQ(ReadHex(tag_, 40), "00000000" "07000000" "5A237B8A" "0EC53196");
    EXPECT_EQ(ReadHex(tag_, 41), "07000000" "5A237B8A" "0EC53196" "6C480000");
}

TEST_F(Ntag203, StaticLockRulesApplyToTheFirstSixteenPages) {
    EXPECT_EQ(WriteHex(tag_, 0, "00000000"), kAccessDenied);
    EXPECT_EQ(WriteHex(tag_, 1, "00000000"), kAccessDenied);
    ASSERT_EQ(WriteHex(tag_, 3, "00000001"), kOk);
    EXPECT_EQ(PageHex(tag_, 3), "E1101201");
    ASSERT_EQ(WriteHex(tag_, 2, "00000080"), kOk);
    EXPECT_EQ(WriteHex(tag_, 15, "01020304"), kAccessDenied);
    EXPECT_EQ(WriteHex(tag_, 16, "01020304"), kOk);
}

TEST_F(Ntag203, DynamicLockBitsLockGroupsOfFourPages) {
    // Byte 0 bit 1: pages 16-19; bit 7: pages 36-39.
    ASSERT_EQ(WriteHex(tag_, 40, "8200FFFF"), kOk);
    EXPECT_EQ(PageHex(tag_, 40), "82000000");  // bytes 2-3 are not lock bits
    for (uint8_t page : {16, 19, 36, 39})
        EXPECT_EQ(WriteHex(tag_, page, "01020304"), kAccessDenied) << int(page);
    for (uint8_t page : {15, 20, 35})
        EXPECT_EQ(WriteHex(tag_, page, "01020304"), kOk) << int(page);
    ASSERT_EQ(WriteHex(tag_, 40, "00000000"), kOk);
    EXPECT_EQ(PageHex(tag_, 40), "82000000");
}

TEST_F(Ntag203, DynamicBlockLockBitsFreezeTheirGroups) {
    // Bit 0 freezes bits 1-3 (pages 16-27) but not bits 5-7 (pages 28-39).
    ASSERT_EQ(WriteHex(tag_, 40, "01000000"), kOk);
    ASSERT_EQ(WriteHex(tag_, 40, "EE000000"), kOk);
    EXPECT_EQ(PageHex(tag_, 40), "E1000000");
    EXPECT_EQ(WriteHex(tag_, 24, "01020304"), kOk);
    EXPECT_EQ(WriteHex(tag_, 28, "01020304"), kAccessDenied);

    // Byte 1 bit 0 freezes the counter's lock bit.
    ASSERT_EQ(WriteHex(tag_, 40, "00010000"), kOk);
    ASSERT_EQ(WriteHex(tag_, 40, "00020000"), kOk);
    EXPECT_EQ(PageHex(tag_, 40), "E1010000");
    EXPECT_EQ(WriteHex(tag_, 41, "01000000"), kOk);
}

TEST_F(Ntag203, CounterTakesItsFirstValueAtOnceAndLaterIncrementsAtTheNextRfReset) {
    ASSERT_EQ(WriteHex(tag_, 41, "00000000"), kOk);  // adding nothing
    EXPECT_EQ(PageHex(tag_, 41), "00000000");
    ASSERT_EQ(WriteHex(tag_, 41, "3412AABB"), kOk);  // first value: anything
    EXPECT_EQ(PageHex(tag_, 41), "34120000");

    // Then only the low nibble of byte 0 counts, from the next RF reset on.
    ASSERT_EQ(WriteHex(tag_, 41, "FF7FAABB"), kOk);
    EXPECT_EQ(PageHex(tag_, 41), "34120000");
    EXPECT_EQ(ReadHex(tag_, 41).substr(0, 8), "34120000");
    Activate(tag_);
    EXPECT_EQ(PageHex(tag_, 41), "43120000");
    Activate(tag_);  // added once
    EXPECT_EQ(PageHex(tag_, 41), "43120000");
    ASSERT_EQ(WriteHex(tag_, 41, "10000000"), kOk);  // a low nibble of 0
    Activate(tag_);
    EXPECT_EQ(PageHex(tag_, 41), "43120000");

    ImageStore store;
    Ntag203Tag full(store, "full.img");
    Activate(full);
    ASSERT_EQ(WriteHex(full, 41, "FEFF0000"), kOk);
    ASSERT_EQ(WriteHex(full, 41, "01000000"), kOk);
    Activate(full);
    EXPECT_EQ(PageHex(full, 41), "FFFF0000");
    EXPECT_EQ(WriteHex(full, 41, "01000000"), kCardError);
    EXPECT_EQ(WriteHex(full, 41, "00000000"), kOk);
    Activate(full);
    EXPECT_EQ(PageHex(full, 41), "FFFF0000");

    // Byte 1 bit 1 of the lock page locks the counter.
    ASSERT_EQ(WriteHex(tag_, 40, "00020000"), kOk);
    EXPECT_EQ(WriteHex(tag_, 41, "01000000"), kAccessDenied);
}

}  // namespace
