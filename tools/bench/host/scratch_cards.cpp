#include "tools/bench/host/scratch_cards.h"

#include <windows.h>

#include <fstream>
#include <string>
#include <system_error>

#include "kelvar/reader/reader_config.h"

namespace {

namespace fs = std::filesystem;

std::wstring ConfigVariable() {
    const std::string_view name = kelvar::kReaderConfigVariable;
    return std::wstring(name.begin(), name.end());
}

}  // namespace

ScratchCards::ScratchCards() {
    wchar_t temp[MAX_PATH] = {};
    if (GetTempPathW(MAX_PATH, temp) == 0) return;
    folder_ = fs::path(temp) / (L"vantrel-bench-" + std::to_wstring(GetCurrentProcessId()));
    std::error_code error;
    fs::remove_all(folder_, error);
    fs::create_directories(folder_ / L"images", error);
    if (error) return;
    const fs::path config = folder_ / L"Kelvar.ini";
    {
        std::ofstream out(config, std::ios::binary);
        const std::u8string images = (folder_ / L"images").u8string();
        out << "images = " << std::string(images.begin(), images.end()) << "\n";
        if (!out) return;
    }
    ready_ = SetEnvironmentVariableW(ConfigVariable().c_str(), config.c_str()) != FALSE;
}

ScratchCards::~ScratchCards() {
    SetEnvironmentVariableW(ConfigVariable().c_str(), nullptr);
    if (folder_.empty()) return;
    std::error_code error;
    fs::remove_all(folder_, error);
}
