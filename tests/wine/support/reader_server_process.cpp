#include "support/reader_server_process.h"

#include <fstream>

namespace fs = std::filesystem;

bool ReaderServerProcess::Start(const fs::path& config, const std::wstring& options) {
    Kill();
    static int serial = 0;
    const fs::path portFile = fs::temp_directory_path() / (L"kelvar-reader-port-" +
                                                           std::to_wstring(GetCurrentProcessId()) + L"-" +
                                                           std::to_wstring(++serial));
    std::error_code error;
    fs::remove(portFile, error);
    std::wstring command = L"kelvar-reader.exe --listen 127.0.0.1:0 --config \"" + config.wstring() +
                           L"\" --port-file \"" + portFile.wstring() + L"\" " + options;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process_)) {
        process_ = {};
        return false;
    }
    for (int i = 0; i < 200 && port_ == 0; ++i) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) break;
        std::ifstream in(portFile);
        unsigned port = 0;
        if (in >> port && port != 0 && port < 65536) port_ = static_cast<uint16_t>(port);
        else Sleep(25);
    }
    fs::remove(portFile, error);
    return port_ != 0;
}

void ReaderServerProcess::Kill() {
    if (process_.hProcess != nullptr) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    process_ = {};
    port_ = 0;
}
