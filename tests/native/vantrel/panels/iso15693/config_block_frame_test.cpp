#include "vantrel/panels/iso15693/config_block_frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ConfigBlockFrame, EachChangedByteGetsAFrameOfItsOwn) {
    const std::vector<uint8_t> copy{0x11, 0x22, 0x33, 0x44};
    EXPECT_TRUE(ConfigBlockChanges(copy, copy).empty());
    // Bytes 0 and 1 are not the request's to change.
    EXPECT_TRUE(ConfigBlockChanges(copy, std::vector<uint8_t>{0, 0, 0x33, 0x44}).empty());

    const auto both = ConfigBlockChanges(copy, std::vector<uint8_t>{0x11, 0x22, 0xA2, 0xA3});
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].index, 2);
    EXPECT_EQ(both[0].value, 0xA2);
    EXPECT_EQ(both[1].index, 3);
    EXPECT_EQ(both[1].value, 0xA3);

    const std::vector<uint8_t> uid{1, 2, 3, 4, 5, 6, 7, 8};
    const auto frame = ConfigByteFrame(uid, both[1]);
    EXPECT_EQ(std::vector<uint8_t>(frame.begin(), frame.end()),
              (std::vector<uint8_t>{0x22, 0xA0, 0x05, 1, 2, 3, 4, 5, 6, 7, 8, 0x90, 0x10, 0x00, 3, 0xA3}));
}

TEST(ConfigBlockFrame, OnlyAFlagsByteWithoutTheErrorFlagIsSuccess) {
    EXPECT_TRUE(ConfigAnswerIsSuccess(std::vector<uint8_t>{0x00}));
    EXPECT_FALSE(ConfigAnswerIsSuccess(std::vector<uint8_t>{}));
    EXPECT_FALSE(ConfigAnswerIsSuccess(std::vector<uint8_t>{0x01, 0x0F}));
}

}  // namespace
