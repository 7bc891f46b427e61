#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

#include "vantrel/app/registry_settings.h"
#include "vantrel/app/settings.h"

namespace {

constexpr wchar_t kTestKey[] = L"OrdaviTest";
constexpr wchar_t kTestKeyPath[] = L"SOFTWARE\\Quorvel\\OrdaviTest";

// A machine root in which nothing opens or can be created, as HKEY_LOCAL_MACHINE
// is for an account without administrator rights.
const HKEY kClosedMachineRoot = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x7FFFFFF0));

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeys(); }
    void TearDown() override { DeleteKeys(); }
    static void DeleteKeys() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTestKeyPath);
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKeyPath);
    }

    static void Store(const wchar_t* name, DWORD value) {
        RegistrySettings key(kTestKey);
        ASSERT_TRUE(key.OpenForWrite());
        ASSERT_TRUE(key.WriteDword(name, static_cast<int32_t>(value)));
    }
    static ProgramSettings Loaded() {
        ProgramSettings settings;
        LoadSettings(settings, kTestKey);
        return settings;
    }
};

}  // namespace

TEST_F(SettingsTest, FirstStartGivesDefaultsAndExitCreatesAllFourValues) {
    const ProgramSettings first = Loaded();
    EXPECT_EQ(first.curCard, 1);
    EXPECT_EQ(first.comPort, 0);
    EXPECT_EQ(first.baudRate, 1);
    EXPECT_EQ(first.curBitmap, 0);

    SaveSettings(first, kTestKey);
    RegistrySettings key(kTestKey);
    ASSERT_TRUE(key.OpenForRead());
    for (const wchar_t* name : {L"CurCard", L"ComPort", L"BaudRate", L"CurBitmap"}) {
        int32_t value = -1;
        EXPECT_TRUE(key.ReadDword(name, value)) << name;
    }
}

TEST_F(SettingsTest, StoredValuesWinAndMissingOnesTakeTheirDefaults) {
    Store(L"CurCard", 29);
    Store(L"BaudRate", 3);
    const ProgramSettings s = Loaded();
    EXPECT_EQ(s.curCard, 29);
    EXPECT_EQ(s.comPort, 0);
    EXPECT_EQ(s.baudRate, 3);
    EXPECT_EQ(s.curBitmap, 0);

    ProgramSettings changed = s;
    changed.curCard = 255;
    changed.curBitmap = 7;
    SaveSettings(changed, kTestKey);
    const ProgramSettings again = Loaded();
    EXPECT_EQ(again.curCard, 255);  // the device page; the frame shows code 0 for it
    EXPECT_EQ(again.curBitmap, 7);
}

TEST_F(SettingsTest, CardTypeOfTheWrongTypeOrOutOfRangeCountsAsTheDefault) {
    {
        RegistrySettings key(kTestKey);
        ASSERT_TRUE(key.OpenForWrite());
    }
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kTestKeyPath, 0, KEY_ALL_ACCESS, &raw), ERROR_SUCCESS);
    const wchar_t text[] = L"12";
    RegSetValueExW(raw, L"CurCard", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text));
    RegCloseKey(raw);
    EXPECT_EQ(Loaded().curCard, 1);

    for (DWORD outside : {30u, 254u, 256u, 0xFFFFFFFFu}) {
        Store(L"CurCard", outside);
        EXPECT_EQ(Loaded().curCard, 1) << outside;
    }
    Store(L"CurCard", 0);
    EXPECT_EQ(Loaded().curCard, 0);
}

TEST_F(SettingsTest, BackgroundIndexOutsideTheSkinsCountsAsTheFirst) {
    for (DWORD outside : {32u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        Store(L"CurBitmap", outside);
        EXPECT_EQ(Loaded().curBitmap, 0) << outside;
    }
    Store(L"CurBitmap", 31);
    EXPECT_EQ(Loaded().curBitmap, 31);
}

TEST_F(SettingsTest, AnAccountThatMayNotWriteTheMachineKeyKeepsItsSettingsUnderTheUser) {
    ProgramSettings changed;
    LoadSettings(changed, kTestKey, kClosedMachineRoot);
    EXPECT_EQ(changed.curCard, 1);
    changed.curCard = 6;
    changed.curBitmap = 12;
    SaveSettings(changed, kTestKey, kClosedMachineRoot);

    ProgramSettings again;
    LoadSettings(again, kTestKey, kClosedMachineRoot);
    EXPECT_EQ(again.curCard, 6);
    EXPECT_EQ(again.curBitmap, 12);
    RegistrySettings user(kTestKey, HKEY_CURRENT_USER);
    ASSERT_TRUE(user.OpenForRead());
    int32_t stored = 0;
    EXPECT_TRUE(user.ReadDword(L"CurCard", stored));
    EXPECT_EQ(stored, 6);
}

TEST_F(SettingsTest, AWritableMachineKeyIsUsedAndWinsOverTheUsersKey) {
    RegistrySettings user(kTestKey, HKEY_CURRENT_USER);
    ASSERT_TRUE(user.OpenForWrite());
    ASSERT_TRUE(user.WriteDword(L"CurCard", 21));
    Store(L"CurCard", 5);
    EXPECT_EQ(Loaded().curCard, 5);

    ProgramSettings changed = Loaded();
    changed.curCard = 9;
    SaveSettings(changed, kTestKey);
    EXPECT_EQ(Loaded().curCard, 9);
    int32_t untouched = 0;
    ASSERT_TRUE(user.ReadDword(L"CurCard", untouched));
    EXPECT_EQ(untouched, 21);
}
