#include <gtest/gtest.h>

#include <array>
#include <string>

#include "kelvar/reader/reader_device.h"
#include "kelvar/status.h"
#include "kelvar_dll.h"
#include "support/unused_port.h"

using namespace kelvar;

TEST(KelvarLibrary, ExportsEveryOrdinalAndCalculatesDesWithoutConnection) {
    KelvarDll dll;
    ASSERT_TRUE(dll.Load());
#define KELVAR_TEST_EXPORTED(ordinal, member, reported, required, params) \
    EXPECT_NE(GetProcAddress(dll.Module(), MAKEINTRESOURCEA(ordinal)), nullptr) << "ordinal " << ordinal;
    KELVAR_FUNCTIONS(KELVAR_TEST_EXPORTED)
#undef KELVAR_TEST_EXPORTED

    EXPECT_EQ(dll.rf_beep(0, 1), kNotOpen);
    EXPECT_EQ(dll.rf_request(0, 0x52, nullptr), kNotOpen);

    const uint8_t plain[16] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,
                               0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
    const uint8_t key[16] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,
                             0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};
    uint8_t out[256] = {};
    uint8_t back[256] = {};
    ASSERT_EQ(dll.des_encipher(out, plain, 16, key, 16), kOk);
    EXPECT_EQ(out[0], 0x1A);
    EXPECT_EQ(out[15], 0x39);
    ASSERT_EQ(dll.des_decipher(back, out, 16, key, 16), kOk);
    EXPECT_EQ(std::string(back, back + 16), std::string(plain, plain + 16));
    EXPECT_EQ(dll.des_encipher(out, plain, 12, key, 8), kBadArgument);
    EXPECT_EQ(dll.des_encipher(out, plain, 16, key, 24), kBadArgument);
}

TEST(KelvarLibrary, OpensOnlyTheBuiltInReaderAndDrivesItsOwnFunctions) {
    KelvarDll dll;
    ASSERT_TRUE(dll.Load());
    const UnusedLoopbackPort unused;
    ASSERT_NE(unused.Port(), 0);
    const uint16_t loopback[4] = {127, 0, 0, 1};
    const uint16_t badOctet[4] = {0, 0, 300, 0};
    EXPECT_EQ(dll.rf_init_com(unused.Port(), loopback), kConnectFailed);
    EXPECT_EQ(dll.rf_init_com(2000, badOctet), kBadArgument);
    ASSERT_EQ(dll.Open(), kOk);

    uint8_t text[1024] = {};
    uint8_t length = 0;
    ASSERT_EQ(dll.rf_get_model(0, text, &length), kOk);
    EXPECT_EQ(std::string(text, text + length), std::string(kReaderModel));
    EXPECT_EQ(dll.rf_get_model(0, nullptr, &length), kBadArgument);
    uint32_t version = 0;
    ASSERT_EQ(dll.lib_ver(&version), kOk);
    EXPECT_EQ(version, kLibraryVersion);

    EXPECT_EQ(dll.rf_beep(0, 10), kOk);
    EXPECT_EQ(dll.rf_light(0, 3), kOk);
    EXPECT_EQ(dll.rf_light(0, 4), kBadArgument);

    // Saturday 15 June 2024, 10:20:30; the clock runs on from there.
    const uint8_t written[7] = {0x24, 0x06, 0x15, 0x06, 0x10, 0x20, 0x30};
    ASSERT_EQ(dll.WriteTime(0, written), kOk);
    uint8_t clock[1024] = {};
    ASSERT_EQ(dll.ReadTime(0, clock, &length), kOk);
    EXPECT_EQ(length, 7);
    EXPECT_EQ(std::string(clock, clock + 6), std::string(written, written + 6));
    EXPECT_GE(clock[6], 0x30);
    EXPECT_LE(clock[6], 0x33);
    const uint8_t badMonth[7] = {0x24, 0x13, 0x15, 0x06, 0x10, 0x20, 0x30};
    EXPECT_EQ(dll.WriteTime(0, badMonth), kBadClock);

    ASSERT_EQ(dll.rf_init_device_number(0x3412), kOk);
    ASSERT_TRUE(dll.ReloadAndOpen());
    uint8_t number[2] = {};
    ASSERT_EQ(dll.rf_get_device_number(number), kOk);
    EXPECT_EQ(number[0], 0x12);
    EXPECT_EQ(number[1], 0x34);

    EXPECT_EQ(dll.close_connection(), kOk);
    EXPECT_EQ(dll.rf_get_device_number(number), kNotOpen);
}
