#include "e2e/e2e_environment.h"

#include <windows.h>

#include <fstream>
#include <system_error>

#include "kelvar/reader/reader_config.h"
#include "vantrel/app/settings.h"

namespace {

namespace fs = std::filesystem;

std::wstring ConfigVariable() {
    const std::string_view name = kelvar::kReaderConfigVariable;
    return std::wstring(name.begin(), name.end());
}

std::optional<std::wstring> EnvironmentValue(const std::wstring& name) {
    const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name.c_str(), value.data(), size));
    return value;
}

fs::path FreshFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    const fs::path folder = fs::path(temp) / (L"vantrel-e2e-" + std::to_wstring(GetCurrentProcessId()) +
                                              L"-" + std::to_wstring(++serial));
    std::error_code error;
    fs::remove_all(folder, error);
    fs::create_directories(folder / L"images", error);
    return error ? fs::path() : folder;
}

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

E2eEnvironment::E2eEnvironment(std::optional<std::string> field, bool followCardType)
    : previousConfig_(EnvironmentValue(ConfigVariable())) {
    LoadSettings(previousSettings_);
    folder_ = FreshFolder();
    if (folder_.empty()) return;
    images_ = folder_ / L"images";
    const fs::path config = folder_ / L"Kelvar.ini";
    {
        std::ofstream out(config, std::ios::binary);
        out << "images = " << Utf8(images_) << "\n";
        if (field) out << "field = " << *field << "\n";
        if (!followCardType) out << "follow = no\n";
        if (!out) return;
    }
    ready_ = SetEnvironmentVariableW(ConfigVariable().c_str(), config.c_str()) != FALSE;
}

E2eEnvironment::~E2eEnvironment() {
    SetEnvironmentVariableW(ConfigVariable().c_str(),
                            previousConfig_ ? previousConfig_->c_str() : nullptr);
    SaveSettings(previousSettings_);
    if (folder_.empty()) return;
    std::error_code error;
    fs::remove_all(folder_, error);
}
