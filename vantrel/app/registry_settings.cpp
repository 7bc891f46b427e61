#include "vantrel/app/registry_settings.h"

RegistrySettings::RegistrySettings(std::wstring appKeyName, HKEY root)
    : appKeyName_(std::move(appKeyName)), root_(root) {}

void RegistrySettings::Close() {
    if (key_ != nullptr) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}

bool RegistrySettings::OpenForRead() {
    Close();
    return RegOpenKeyExW(root_, SubKey().c_str(), 0, KEY_ALL_ACCESS, &key_) == ERROR_SUCCESS;
}

bool RegistrySettings::OpenForWrite() {
    if (OpenForRead()) return true;
    HKEY created = nullptr;
    if (RegCreateKeyExW(root_, SubKey().c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &created, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(created);
    return OpenForRead();
}

bool RegistrySettings::ReadDword(const wchar_t* name, int32_t& value) const {
    if (key_ == nullptr) return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(data)) {
        return false;
    }
    value = static_cast<int32_t>(data);
    return true;
}

bool RegistrySettings::WriteDword(const wchar_t* name, int32_t value) {
    if (key_ == nullptr) return false;
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof(data)) == ERROR_SUCCESS;
}
