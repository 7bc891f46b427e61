// The library's one reader, configured from the file that KELVAR_CONFIG
// names, or else from Kelvar.ini beside the library.
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "kelvar/api/guard.h"
#include "kelvar/reader/reader_config.h"

namespace kelvar::api {

namespace {

namespace fs = std::filesystem;

fs::path WorkingFolder() {
    std::error_code error;
    return fs::current_path(error);
}

fs::path LibraryFolder() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&LibraryFolder), &self)) {
        return WorkingFolder();
    }
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return WorkingFolder();
        if (length < path.size()) {
            path.resize(length);
            return fs::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
}

// Read through the system, not the C runtime: the runtime's copy of the
// environment misses variables set after the process started.
std::wstring EnvironmentValue(std::string_view name) {
    const std::wstring wideName(name.begin(), name.end());
    std::wstring value(GetEnvironmentVariableW(wideName.c_str(), nullptr, 0), L'\0');
    if (value.empty()) return {};
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    value.resize(length < value.size() ? length : 0);
    return value;
}

FieldConfig ConfigIn(const fs::path& folder) {
    const std::wstring named = EnvironmentValue(kReaderConfigVariable);
    const fs::path file = named.empty() ? folder / kReaderConfigFileName : fs::path(named);
    return LoadFieldConfig(file, folder);
}

// Whatever the configuration holds, the library comes up: with the defaults
// when the configured reader cannot be made.
std::unique_ptr<VirtualReader> MakeReader() {
    const fs::path folder = LibraryFolder();
    try {
        return std::make_unique<VirtualReader>(ConfigIn(folder));
    } catch (...) {
        FieldConfig defaults = DefaultFieldConfig(folder);
        defaults.notes.push_back("the configuration could not be used, defaults used");
        return std::make_unique<VirtualReader>(defaults);
    }
}

}  // namespace

FieldConfig ConfigOfThisLibrary() { return ConfigIn(LibraryFolder()); }

VirtualReader& Reader() {
    static const std::unique_ptr<VirtualReader> reader = MakeReader();
    return *reader;
}

}  // namespace kelvar::api
