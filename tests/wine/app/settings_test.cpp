#include <gtest/gtest.h>

#include <windows.h>

#include "vantrel/app/registry_settings.h"
#include "vantrel/app/settings.h"

namespace {

constexpr wchar_t kTestKey[] = L"OrdaviTest";
constexpr wchar_t kTestKeyPath[] = L"SOFTWARE\\Quorvel\\OrdaviTest";

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTestKeyPath); }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTestKeyPath); }

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
