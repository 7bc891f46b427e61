// The contact processor card, the SAM and raw frames through the library's
// exports, as the CPU card, SAM and pass-through panels call them.
#include <gtest/gtest.h>

#include <string>

#include "kelvar/status.h"
#include "kelvar_dll.h"
#include "vantrel/toolkit/hex_text.h"

using namespace kelvar;

namespace {

template <typename Fn>
std::wstring Exchange(const Fn& fn, std::wstring_view hex) {
    const Bytes bytes = HexToBytes(hex);
    uint8_t out[1024] = {};
    uint8_t length = 0;
    const int32_t status = fn(0, bytes.data(), static_cast<uint8_t>(bytes.size()), out, &length);
    return status == kOk ? BytesToHex(out, length) : L"status " + std::to_wstring(status);
}

template <typename Fn>
std::wstring Reset(const Fn& fn) {
    uint8_t out[1024] = {};
    uint8_t length = 0;
    const int32_t status = fn(0, out, &length);
    return status == kOk ? BytesToHex(out, length) : L"status " + std::to_wstring(status);
}

}  // namespace

TEST(KelvarContactSamRaw, ExportsReachTheContactCardTheSamAndTheFieldOfTheRfMode) {
    KelvarDll dll("field = smartcardb, icodesli\ncontact = cpu");
    ASSERT_TRUE(dll.Load());
    EXPECT_EQ(Reset(dll.smartcard_rst), L"status 1");  // not connected
    EXPECT_EQ(Exchange(dll.rf_transceive1, L"050000"), L"status 1");
    ASSERT_EQ(dll.Open(), kOk);

    EXPECT_EQ(Reset(dll.smartcard_rst), L"status " + std::to_wstring(kNotSelected));
    ASSERT_EQ(dll.OpenCard(0), kOk);
    EXPECT_EQ(Reset(dll.smartcard_rst), L"3B6800004B562D4350553031");
    EXPECT_EQ(Exchange(dll.smartcard_cos, L"00A4000C023F00"), L"9000");

    ASSERT_EQ(dll.rf_init_sam(0, 1), kOk);
    EXPECT_EQ(Reset(dll.rf_sam_rst), L"3B19134B562D53414D2D3031");
    EXPECT_EQ(Exchange(dll.rf_sam_cos, L"00880000080011223344556677"), L"6260E7C6A3E3376E9000");

    ASSERT_EQ(dll.rf_antenna_sta(0, 1), kOk);
    EXPECT_EQ(Exchange(dll.rf_transceive1, L"050000"), L"status " + std::to_wstring(kNotSupported));  // mode A
    // Frames go without their CRC, which the reader adds; answers come without theirs.
    ASSERT_EQ(dll.rf_init_type(0, 'B'), kOk);
    EXPECT_EQ(Exchange(dll.rf_transceive1, L"050000"), L"506B2FD01900000000008171");
    ASSERT_EQ(dll.rf_init_type(0, '1'), kOk);
    EXPECT_EQ(Exchange(dll.rf_transceive1, L"260100"), L"00003B6E9215080104E0");
    EXPECT_EQ(Exchange(dll.rf_transceive1, L""), L"status " + std::to_wstring(kBadArgument));
}
