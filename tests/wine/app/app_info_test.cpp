#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "vantrel/app/app_info.h"
#include "vantrel/resources/resource.h"

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

TEST(AboutBox, ShowsTheBrandingTextsOfAMissingPartialOrFullConfiguration) {
    const AboutTexts defaults = ReadAboutTexts(L"C:\\no\\such\\folder\\AppConfig.ini");
    EXPECT_EQ(defaults.title, L"About Ketra");
    EXPECT_EQ(defaults.version, L"Ketra v1.01");

    const std::wstring partial = TempIni("[AppInfo]\nHTTP=http://reader.example/\n");
    const AboutTexts onlyHttp = ReadAboutTexts(partial);
    EXPECT_EQ(onlyHttp.http, L"http://reader.example/");
    EXPECT_EQ(onlyHttp.title, defaults.title);
    EXPECT_EQ(onlyHttp.version, defaults.version);
    EXPECT_EQ(onlyHttp.maker, defaults.maker);
    EXPECT_EQ(onlyHttp.copyright, defaults.copyright);

    const std::wstring full = TempIni(
        "[AppInfo]\nAboutTitle=T\nAboutVersion=V\nAboutLTD=M\nHTTP=H\nCOPYRIGHT=C\n");
    CAboutDialog dialog(ReadAboutTexts(full));
    ASSERT_TRUE(dialog.CreateModeless(GetDesktopWindow()));
    EXPECT_EQ(dialog.Text(), L"T");
    EXPECT_EQ(Window(dialog.Item(IDC_ABOUT_VERSION)).Text(), L"V");
    EXPECT_EQ(Window(dialog.Item(IDC_ABOUT_MAKER)).Text(), L"M");
    EXPECT_EQ(Window(dialog.Item(IDC_ABOUT_HTTP)).Text(), L"H");
    EXPECT_EQ(Window(dialog.Item(IDC_ABOUT_COPYRIGHT)).Text(), L"C");
    dialog.Destroy();
    DeleteFileW(partial.c_str());
}
