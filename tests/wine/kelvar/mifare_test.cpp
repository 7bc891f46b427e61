#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/mifare_access.h"
#include "kelvar/reader/iso14443a_field.h"
#include "kelvar/status.h"
#include "kelvar_dll.h"

using namespace kelvar;

namespace {

const uint8_t kTransportKey[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const uint8_t kBlock[16] = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE,
                            0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};

}  // namespace

TEST(KelvarMifare, PurseAndBlockSurviveAReloadAndAWrongKeyFails) {
    KelvarDll dll;  // the default field: the 4K card is found first
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    ASSERT_EQ(dll.SearchMifare(), std::vector<uint8_t>(kMifare4KUid.begin(), kMifare4KUid.end()));

    ASSERT_EQ(dll.rf_M1_authentication2(0, 0x60, 4, kTransportKey), kOk);
    ASSERT_EQ(dll.rf_M1_initval(0, 4, 100), kOk);
    int32_t value = 0;
    ASSERT_EQ(dll.rf_M1_readval(0, 4, &value), kOk);
    EXPECT_EQ(value, 100);
    ASSERT_EQ(dll.rf_M1_decrement(0, 4, 30), kOk);
    ASSERT_EQ(dll.rf_M1_write(0, 5, kBlock), kOk);
    EXPECT_EQ(dll.rf_M1_read(0, 5, nullptr, nullptr), kBadArgument);

    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_FALSE(dll.SearchMifare().empty());
    ASSERT_EQ(dll.rf_M1_authentication2(0, 0x60, 4, kTransportKey), kOk);
    uint8_t data[1024] = {};
    uint8_t length = 0;
    ASSERT_EQ(dll.rf_M1_read(0, 5, data, &length), kOk);
    EXPECT_EQ(length, 16);
    EXPECT_EQ(std::string(data, data + 16), std::string(kBlock, kBlock + 16));
    ASSERT_EQ(dll.rf_M1_readval(0, 4, &value), kOk);
    EXPECT_EQ(value, 70);

    const uint8_t wrongKey[6] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};
    EXPECT_EQ(dll.rf_M1_authentication2(0, 0x60, 8, wrongKey), kAuthFailed);
    EXPECT_EQ(dll.rf_M1_read(0, 5, data, &length), kNotSelected);
}

TEST(KelvarMifare, AccessBitsThatForbidAWriteKeepTheDataAcrossAReload) {
    KelvarDll dll;
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    ASSERT_FALSE(dll.SearchMifare().empty());
    ASSERT_EQ(dll.rf_M1_authentication2(0, 0x60, 8, kTransportKey), kOk);
    ASSERT_EQ(dll.rf_M1_write(0, 8, kBlock), kOk);

    // Data blocks readable with either key and never writable; key A still
    // manages the trailer.
    const auto access = mifare::EncodeAccessBits(mifare::Conditions{2, 2, 2, 1});
    uint8_t trailer[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, access[0], access[1], access[2], 0x69,
                           0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    ASSERT_EQ(dll.rf_M1_write(0, 11, trailer), kOk);

    const uint8_t other[16] = {0xAA};
    EXPECT_EQ(dll.rf_M1_write(0, 8, other), kAccessDenied);
    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_FALSE(dll.SearchMifare().empty());
    ASSERT_EQ(dll.rf_M1_authentication2(0, 0x60, 8, kTransportKey), kOk);
    uint8_t data[1024] = {};
    uint8_t length = 0;
    ASSERT_EQ(dll.rf_M1_read(0, 8, data, &length), kOk);
    EXPECT_EQ(std::string(data, data + 16), std::string(kBlock, kBlock + 16));
    EXPECT_EQ(dll.rf_M1_write(0, 9, other), kAccessDenied);
}
