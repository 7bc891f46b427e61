#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "vantrel/app/app_info.h"

namespace {

std::wstring TempIni(const char* content) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"vantrel_appinfo_test.ini";
    std::ofstream(path.c_str()) << content;
    return path;
}

}  // namespace

TEST(ReadAppInfo, MissingFileKeyOrValueGivesTheBuiltInDefaults) {
    const std::wstring missing = L"C:\\no\\such\\folder\\AppConfig.ini";
    EXPECT_EQ(ReadAppInfo(kAppSoftwareName, missing), L"Ketra");
    EXPECT_EQ(ReadAppInfo(kAppCompany, missing), L"Ketra");
    EXPECT_EQ(ReadAppInfo(kAppVersion, missing), L"1.01");
    EXPECT_EQ(ReadAppInfo(kAppAboutTitle, missing), L"About Ketra");
    EXPECT_EQ(ReadAppInfo(kAppAboutVersion, missing), L"Ketra v1.01");
    EXPECT_FALSE(ReadAppInfo(kAppAboutMaker, missing).empty());
    EXPECT_FALSE(ReadAppInfo(kAppHttp, missing).empty());
    EXPECT_FALSE(ReadAppInfo(kAppCopyright, missing).empty());
    EXPECT_EQ(ReadAppInfo(8, missing), L"");
    EXPECT_EQ(ReadAppInfo(-1, missing), L"");

    const std::wstring ini = TempIni("[AppInfo]\nSoftwareName=\nAboutTitle=About the reader\n");
    EXPECT_EQ(ReadAppInfo(kAppSoftwareName, ini), L"Ketra");
    EXPECT_EQ(ReadAppInfo(kAppAboutTitle, ini), L"About the reader");
    EXPECT_EQ(ReadAppInfo(kAppHttp, ini), ReadAppInfo(kAppHttp, missing));
    DeleteFileW(ini.c_str());
}
