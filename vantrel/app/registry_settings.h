// One settings key of the program under a registry root. A local object per
// use; the key handle is closed when it goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class RegistrySettings {
public:
    // The key is "SOFTWARE\Quorvel\" + appKeyName under `root`.
    explicit RegistrySettings(std::wstring appKeyName, HKEY root = HKEY_LOCAL_MACHINE);
    RegistrySettings(const RegistrySettings&) = delete;
    RegistrySettings& operator=(const RegistrySettings&) = delete;
    ~RegistrySettings() { Close(); }

    bool OpenForRead();
    // Opens the key, creating it first when it does not exist.
    bool OpenForWrite();
    // True only for an existing REG_DWORD value.
    bool ReadDword(const wchar_t* name, int32_t& value) const;
    bool WriteDword(const wchar_t* name, int32_t value);

private:
    void Close();
    std::wstring SubKey() const { return L"SOFTWARE\\Quorvel\\" + appKeyName_; }

    std::wstring appKeyName_;
    HKEY root_;
    HKEY key_ = nullptr;
};
