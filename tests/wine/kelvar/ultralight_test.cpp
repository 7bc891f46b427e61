#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvar/cards/shc1102_tag.h"
#include "kelvar/cards/ultralight_c_tag.h"
#include "kelvar/cards/ultralight_tag.h"
#include "kelvar/status.h"
#include "kelvar_dll.h"

using namespace kelvar;

TEST(KelvarUltraLight, PageSurvivesAReloadAndALockedPageRefusesWrites) {
    KelvarDll dll("field = ultralight");
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    const std::vector<uint8_t> uid = dll.SearchTag();
    ASSERT_EQ(uid, std::vector<uint8_t>(UltralightTag::kDefaultUid.begin(), UltralightTag::kDefaultUid.end()));

    const uint8_t page[4] = {0xDE, 0xAD, 0xBE, 0xEF};
    ASSERT_EQ(dll.rf_ul_write(0, 4, page), kOk);
    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_FALSE(dll.SearchTag().empty());
    uint8_t data[1024] = {};
    uint8_t length = 0;
    ASSERT_EQ(dll.rf_M1_read(0, 4, data, &length), kOk);
    EXPECT_EQ(length, 16);
    EXPECT_EQ(std::string(data, data + 4), std::string(page, page + 4));

    const uint8_t lockPage5[4] = {0x00, 0x00, 0x20, 0x00};
    ASSERT_EQ(dll.rf_ul_write(0, 2, lockPage5), kOk);
    EXPECT_EQ(dll.rf_ul_write(0, 5, page), kAccessDenied);
    // The refusal sent the tag back to idle: it answers nothing until found again.
    EXPECT_EQ(dll.rf_ul_write(0, 6, page), kNotSelected);
    ASSERT_FALSE(dll.SearchTag().empty());
    EXPECT_EQ(dll.rf_ul_write(0, 6, page), kOk);
    EXPECT_EQ(dll.rf_M1_authentication2(0, 0x60, 4, page), kCardError);
    EXPECT_EQ(dll.rf_M1_read(0, 4, data, &length), kNotSelected);
}

TEST(KelvarUltraLightC, KeyChangesFromTheFactoryKeyToANewOne) {
    KelvarDll dll("field = ultralightc");
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    ASSERT_FALSE(dll.SearchTag().empty());
    ASSERT_EQ(dll.rf_UC_authentication(0, UltralightCTag::kFactoryKey.data()), kOk);
    const uint8_t newKey[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                                0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
    ASSERT_EQ(dll.rf_UC_changekey(0, newKey), kOk);

    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_FALSE(dll.SearchTag().empty());
    EXPECT_EQ(dll.rf_UC_authentication(0, UltralightCTag::kFactoryKey.data()), kAuthFailed);
    ASSERT_FALSE(dll.SearchTag().empty());
    EXPECT_EQ(dll.rf_UC_authentication(0, newKey), kOk);
    EXPECT_EQ(dll.rf_UC_authentication(0, nullptr), kBadArgument);
}

TEST(KelvarShc1102, ChangedPasswordOpensTheUpperBlocksAfterAReload) {
    KelvarDll dll;
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    ASSERT_EQ(dll.RequestAll(), kOk);
    const uint8_t factory[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    const uint8_t changed[4] = {0x10, 0x20, 0x30, 0x40};
    ASSERT_EQ(dll.rf_Shc1102_Auth(0, factory), kOk);
    ASSERT_EQ(dll.rf_Shc1102_Write(0, 8, changed), kOk);

    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_EQ(dll.RequestAll(), kOk);
    uint8_t data[1024] = {};
    uint8_t length = 0;
    ASSERT_EQ(dll.rf_Shc1102_Read(0, 0, data, &length), kOk);
    EXPECT_EQ(std::vector<uint8_t>(data, data + length),
              std::vector<uint8_t>(Shc1102Tag::kDefaultUid.begin(), Shc1102Tag::kDefaultUid.end()));
    EXPECT_EQ(dll.rf_Shc1102_Auth(0, factory), kAuthFailed);
    ASSERT_EQ(dll.RequestAll(), kOk);
    ASSERT_EQ(dll.rf_Shc1102_Auth(0, changed), kOk);
    ASSERT_EQ(dll.rf_Shc1102_Read(0, 8, data, &length), kOk);
    EXPECT_EQ(std::vector<uint8_t>(data, data + length), std::vector<uint8_t>(changed, changed + 4));
}
