// The T=CL panel's sequences against the real library: reset, COS commands
// and deselect on the Pro(X)-like, DESFire-like and type B processor cards.
#include <gtest/gtest.h>

#include <string>

#include "kelvar/cards/desfire_card.h"
#include "kelvar/cards/pro_card.h"
#include "kelvar/cards/smart_card_b.h"
#include "kelvar/status.h"
#include "kelvar_dll.h"
#include "vantrel/toolkit/hex_text.h"

using namespace kelvar;

namespace {

// Antenna off, the RF type, antenna on, as the panel prepares a reset.
void FieldOn(KelvarDll& dll, uint8_t type) {
    ASSERT_EQ(dll.rf_antenna_sta(0, 0), kOk);
    ASSERT_EQ(dll.rf_init_type(0, type), kOk);
    ASSERT_EQ(dll.rf_antenna_sta(0, 1), kOk);
}

std::wstring Failed(int32_t status) { return L"status " + std::to_wstring(status); }

// A reset's or a command's answer in hex, or "status N".
template <typename Call>
std::wstring Answer(Call call) {
    uint8_t out[1024] = {};
    uint8_t length = 0;
    const int32_t status = call(out, &length);
    return status == kOk ? BytesToHex(out, length) : Failed(status);
}

std::wstring Cos(KelvarDll& dll, std::wstring_view command) {
    const Bytes bytes = HexToBytes(command);
    return Answer([&](uint8_t* out, uint8_t* length) {
        return dll.rf_cos_command(0, bytes.data(), static_cast<uint8_t>(bytes.size()), out, length);
    });
}

}  // namespace

TEST(KelvarProcessorCards, ProResetCommandsDeselectAndAnUpdateThatOutlivesAReload) {
    KelvarDll dll;  // the default field
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    FieldOn(dll, 'A');
    const auto reset = [&](uint8_t mode) {
        return Answer([&](uint8_t* out, uint8_t* length) { return dll.rf_typea_rst(0, mode, out, length); });
    };
    const std::wstring answer = reset(0x52);
    ASSERT_EQ(answer.size(), 40u);  // 4 bytes of CSN, 16 of ATS
    EXPECT_EQ(answer.substr(0, 8), BytesToHex(ProCard::kDefaultUid));

    EXPECT_EQ(Cos(dll, L"00A4040006F04B5601000100").substr(28), L"9000");
    EXPECT_EQ(Cos(dll, L"00D6820004CAFEF00D"), L"9000");
    const std::wstring challenge = Cos(dll, L"0084000008");
    EXPECT_EQ(challenge.size(), 20u);
    EXPECT_EQ(challenge.substr(16), L"9000");
    EXPECT_EQ(Cos(dll, L"80CA9F7F00"), L"6E00");

    ASSERT_EQ(dll.rf_cl_deselect(0), kOk);
    EXPECT_EQ(Cos(dll, L"0084000008"), Failed(kNotSelected));
    EXPECT_EQ(reset(0x26), Failed(kNoCard));  // halted: only a reset of all cards finds it
    EXPECT_EQ(reset(0x52), answer);

    ASSERT_TRUE(dll.ReloadAndOpen());
    FieldOn(dll, 'A');
    ASSERT_EQ(reset(0x52), answer);
    ASSERT_EQ(Cos(dll, L"00A4040C06F04B5601000100"), L"9000");
    EXPECT_EQ(Cos(dll, L"00B0820005"), L"CAFEF00D00" L"9000");
}

TEST(KelvarProcessorCards, DesfireResetGivesTheSevenByteUidAndVersionFrames) {
    KelvarDll dll;
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    FieldOn(dll, 'A');
    const std::wstring answer =
        Answer([&](uint8_t* out, uint8_t* length) { return dll.rf_DESFire_rst(0, 0x52, out, length); });
    EXPECT_EQ(answer, BytesToHex(DesfireCard::kDefaultUid) + BytesToHex(DesfireCard::kAts));
    EXPECT_EQ(Cos(dll, L"60").substr(0, 2), L"AF");
    EXPECT_EQ(Cos(dll, L"AF").substr(0, 2), L"AF");
    EXPECT_EQ(Cos(dll, L"AF").substr(0, 16), L"00" + BytesToHex(DesfireCard::kDefaultUid));
    EXPECT_EQ(Cos(dll, L""), L"7E");  // the panel sends DESFire commands of any length
    EXPECT_EQ(Cos(dll, L"6A"), L"00" L"01564B" L"02564B");
}

TEST(KelvarProcessorCards, TypeBAtqbCarriesThePupiAndItsCardAnswersApdus) {
    KelvarDll dll("field = smartcardb, mifarepro");
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    FieldOn(dll, 'B');
    const auto atqb = [&] {
        return Answer([&](uint8_t* out, uint8_t* length) { return dll.rf_atqb(0, 0, out, length); });
    };
    const std::wstring answer = atqb();
    ASSERT_EQ(answer.size(), 24u);
    EXPECT_EQ(answer.substr(2, 8), BytesToHex(SmartCardB::kDefaultPupi));
    EXPECT_EQ(Cos(dll, L"00A4040006F04B5602000100").substr(28), L"9000");
    EXPECT_EQ(Cos(dll, L"00B0810007"), L"4143434F554E54" L"9000");
    EXPECT_EQ(Answer([&](uint8_t* out, uint8_t* length) { return dll.rf_typea_rst(0, 0x52, out, length); }),
              Failed(kNoCard));  // the type A field is off in mode B
    EXPECT_EQ(dll.rf_atqb(0, 0, nullptr, nullptr), kBadArgument);
}
