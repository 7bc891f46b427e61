#include "vantrel/app/app_info.h"

#include <windows.h>

#include "vantrel/framework/program_folder.h"

namespace {

constexpr const wchar_t* kKeys[] = {L"Company",    L"Version",      L"SoftwareName",
                                    L"AboutTitle", L"AboutVersion", L"AboutLTD",
                                    L"HTTP",       L"COPYRIGHT"};

constexpr const wchar_t* kDefaults[] = {
    L"Ketra", L"1.01", L"Ketra", L"About Ketra", L"Ketra v1.01",
    L"Ketra reader tools", L"http://localhost/", L"Copyright (C) Ketra. All rights reserved."};

}  // namespace

std::wstring ReadAppInfo(int selector, const std::wstring& iniPath) {
    if (selector < 0 || selector >= static_cast<int>(std::size(kKeys))) return L"";
    wchar_t text[260] = {};
    GetPrivateProfileStringW(L"AppInfo", kKeys[selector], L"", text,
                             static_cast<DWORD>(std::size(text)), iniPath.c_str());
    return text[0] != L'\0' ? std::wstring(text) : std::wstring(kDefaults[selector]);
}

AboutTexts ReadAboutTexts(const std::wstring& iniPath) {
    return AboutTexts{ReadAppInfo(kAppAboutTitle, iniPath), ReadAppInfo(kAppAboutVersion, iniPath),
                      ReadAppInfo(kAppAboutMaker, iniPath), ReadAppInfo(kAppHttp, iniPath),
                      ReadAppInfo(kAppCopyright, iniPath)};
}

std::wstring ReadAppInfo(int selector) {
    return ReadAppInfo(selector, AppConfigPath());
}

std::wstring AppConfigPath() { return ProgramFolder() + L"\\AppConfig.ini"; }
