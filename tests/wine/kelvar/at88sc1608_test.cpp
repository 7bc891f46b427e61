// The AT88SC1608 panel's sequences against the real library: the card in the
// slot by configuration, the authentication the panel computes, and whole
// user zones that outlive a reload.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "common/at88sc_cipher.h"
#include "kelvar/status.h"
#include "kelvar_dll.h"

using namespace kelvar;

TEST(KelvarAt88sc1608, AuthenticatesWithThePanelsAnswerAndKeepsWholeZones) {
    KelvarDll dll("contact = at88sc1608");
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    std::array<uint8_t, 4> answer{};
    EXPECT_EQ(dll.AT1608_Rst(0, answer.data()), kNotSelected);
    ASSERT_EQ(dll.OpenCard(0), kOk);
    ASSERT_EQ(dll.AT1608_Rst(0, answer.data()), kOk);
    EXPECT_EQ(answer, (std::array<uint8_t, 4>{0x3B, 0xB2, 0x11, 0x00}));

    at88sc::Block cryptogram{};
    ASSERT_EQ(dll.AT1608_Read(0, 0x28, 8, 8, cryptogram.data()), kOk);
    const at88sc::Block seed{0x47, 0x63, 0x53, 0x65, 0x65, 0x64, 0x30, 0x31};
    const at88sc::Block q0{1, 2, 3, 4, 5, 6, 7, 8};
    const at88sc::Block q1 = at88sc::Answer(cryptogram, seed, q0);
    std::array<uint8_t, 16> both{};
    std::copy(q0.begin(), q0.end(), both.begin());
    std::copy(q1.begin(), q1.end(), both.begin() + 8);
    const at88sc::Block other{};
    EXPECT_EQ(dll.AT1608_Authenticate(0, both.data(), other.data()), kBadArgument);  // the two Q1 differ
    ASSERT_EQ(dll.AT1608_Authenticate(0, both.data(), q1.data()), kOk);

    // Zone 6 needs the authentication and write password 6; a whole zone is 256 bytes.
    const uint8_t password[3] = {0xA6, 0xA6, 0xA6};
    ASSERT_EQ(dll.AT1608_VerifyPassword(0, 6, password), kOk);
    std::vector<uint8_t> zone(256);
    for (size_t i = 0; i < zone.size(); ++i) zone[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(dll.AT1608_Write(0, 0, 6, zone.data(), 0), kBadArgument);
    EXPECT_EQ(dll.AT1608_Write(0, 1, 6, zone.data(), 256), kBadArgument);
    ASSERT_EQ(dll.AT1608_Write(0, 0, 6, zone.data(), 256), kOk);

    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_EQ(dll.OpenCard(0), kOk);
    std::vector<uint8_t> read(256);
    EXPECT_EQ(dll.AT1608_Read(0, 0, 256, 6, read.data()), kNotAuthenticated);  // a new session
    ASSERT_EQ(dll.AT1608_Read(0, 0x28, 8, 8, cryptogram.data()), kOk);
    const at88sc::Block again = at88sc::Answer(cryptogram, seed, q0);
    std::copy(again.begin(), again.end(), both.begin() + 8);
    ASSERT_EQ(dll.AT1608_Authenticate(0, both.data(), again.data()), kOk);
    const uint8_t readPassword[3] = {0xB6, 0xB6, 0xB6};
    ASSERT_EQ(dll.AT1608_VerifyPassword(0, 14, readPassword), kOk);
    EXPECT_EQ(dll.AT1608_Read(0, 0, 0, 6, read.data()), kBadArgument);
    ASSERT_EQ(dll.AT1608_Read(0, 0, 256, 6, read.data()), kOk);
    EXPECT_EQ(read, zone);
    uint8_t fuses = 0;
    ASSERT_EQ(dll.AT1608_ReadFuse1(0, &fuses), kOk);
    EXPECT_EQ(fuses, 0x07);
    EXPECT_EQ(dll.AT1608_WriteFuse1(0), kNotAuthenticated);  // needs the secure code
}

TEST(KelvarAt88sc1608, AMemoryCardAloneInTheSlotRefusesTheSecureCommands) {
    KelvarDll dll("contact = at24c64");
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    ASSERT_EQ(dll.OpenCard(0), kOk);
    std::array<uint8_t, 4> answer{};
    EXPECT_EQ(dll.AT1608_Rst(0, answer.data()), kCardError);
}
