// kelvar-reader.exe started beside the test on a free loopback port, ended
// (as by a crash) when the object goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>

class ReaderServerProcess {
public:
    ReaderServerProcess() = default;
    ~ReaderServerProcess() { Kill(); }
    ReaderServerProcess(const ReaderServerProcess&) = delete;
    ReaderServerProcess& operator=(const ReaderServerProcess&) = delete;

    // Serves `config` with the given extra options; true once it listens.
    bool Start(const std::filesystem::path& config, const std::wstring& options = L"");
    uint16_t Port() const { return port_; }
    void Kill();

private:
    PROCESS_INFORMATION process_{};
    uint16_t port_ = 0;
};
