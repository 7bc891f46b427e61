#include "kelvar_dll.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

KelvarDll::KelvarDll(const std::string& fieldLine) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / ("kelvar_dll_" + std::string(info->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    const fs::path config = folder_ / "Kelvar.ini";
    const std::u8string images = (folder_ / "cards").u8string();
    std::ofstream(config) << "images = " << std::string(images.begin(), images.end()) << "\n"
                          << fieldLine << "\n";
    SetEnvironmentVariableW(L"KELVAR_CONFIG", config.wstring().c_str());
}

KelvarDll::~KelvarDll() {
    Unload();
    SetEnvironmentVariableW(L"KELVAR_CONFIG", nullptr);
    std::error_code error;
    fs::remove_all(folder_, error);
}

bool KelvarDll::Load() { return module_.Load(L"Kelvar.dll", *this); }

void KelvarDll::Unload() { module_.Unload(); }

bool KelvarDll::ReloadAndOpen() {
    Unload();
    // Still mapped, the library would keep its state in memory and prove nothing.
    if (Module() != nullptr) return false;
    return Load() && Open() == 0;
}

int32_t KelvarDll::Open() {
    const uint16_t builtIn[4] = {0, 0, 0, 0};
    return rf_init_com(0, builtIn);
}

int32_t KelvarDll::RequestAll() {
    uint16_t tagType = 0;
    if (int32_t status = rf_antenna_sta(0, 0); status != 0) return status;
    if (int32_t status = rf_init_type(0, 'A'); status != 0) return status;
    if (int32_t status = rf_antenna_sta(0, 1); status != 0) return status;
    return rf_request(0, 0x52, &tagType);
}

std::vector<uint8_t> KelvarDll::SearchMifare() {
    uint8_t uid[1024] = {};
    uint8_t length = 0;
    uint8_t sak = 0;
    if (RequestAll() != 0 || rf_anticoll(0, 4, uid, &length) != 0) return {};
    if (rf_select(0, uid, length, &sak) != 0) return {};
    return std::vector<uint8_t>(uid, uid + length);
}

std::vector<uint8_t> KelvarDll::SearchTag() {
    uint8_t uid[1024] = {};
    uint8_t length = 0;
    if (RequestAll() != 0 || rf_ul_select(0, uid, &length) != 0) return {};
    return std::vector<uint8_t>(uid, uid + length);
}
