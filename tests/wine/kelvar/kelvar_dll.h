// The real Kelvar.dll, bound by ordinal as the program binds it, with a
// configuration of the test's own: a temporary image folder and, when given,
// the cards of the field.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/kelvar_exports.h"
#include "vantrel/reader/reader_library.h"

class KelvarDll : public KelvarExports {
public:
    // `fieldLine` is a `field = ...` line, or empty for the default field.
    explicit KelvarDll(const std::string& fieldLine = "");
    ~KelvarDll();
    KelvarDll(const KelvarDll&) = delete;
    KelvarDll& operator=(const KelvarDll&) = delete;

    bool Load();
    void Unload();
    // Unloads the library (false if it stays mapped), loads it again and
    // opens the built-in reader.
    bool ReloadAndOpen();

    static HMODULE Module() { return GetModuleHandleW(L"Kelvar.dll"); }
    // The test's folder: Kelvar.ini, and the images in `cards`.
    const std::filesystem::path& Folder() const { return folder_; }

    int32_t Open();
    // Antenna off, type A, antenna on and a request of all cards.
    int32_t RequestAll();
    // RequestAll, anticollision and select: the UID, empty on failure.
    std::vector<uint8_t> SearchMifare();
    // RequestAll and the UltraLight select: the UID, empty on failure.
    std::vector<uint8_t> SearchTag();

private:
    std::filesystem::path folder_;
    ReaderModule module_;
};
