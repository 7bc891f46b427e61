// Branding texts from "AppConfig.ini" beside the program, with built-in
// defaults for what the file does not say.
#pragma once

#include <string>

#include "vantrel/shell/about_dialog.h"

enum AppInfoSelector {
    kAppCompany = 0,
    kAppVersion = 1,
    kAppSoftwareName = 2,
    kAppAboutTitle = 3,
    kAppAboutVersion = 4,
    kAppAboutMaker = 5,
    kAppHttp = 6,
    kAppCopyright = 7,
};

// The text for `selector` from the section "AppInfo" of `iniPath`, or the
// built-in default when the file, the key or the value is missing or empty.
std::wstring ReadAppInfo(int selector, const std::wstring& iniPath);

// "AppConfig.ini" in the program's folder.
std::wstring AppConfigPath();

// The same, from "AppConfig.ini" in the program's folder.
std::wstring ReadAppInfo(int selector);

// The About box's texts from `iniPath`, each as ReadAppInfo gives it.
AboutTexts ReadAboutTexts(const std::wstring& iniPath);
