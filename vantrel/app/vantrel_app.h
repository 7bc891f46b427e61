// The application: one instance, the settings, the reader library, the main
// window and the message loop.
#pragma once

#include <windows.h>

#include <memory>

#include "vantrel/reader/reader_connection.h"
#include "vantrel/reader/reader_library.h"
#include "vantrel/shell/program_settings.h"

class CMainFrame;

class CVantrelApp {
public:
    CVantrelApp();
    ~CVantrelApp();

    // False ends the process at once (second instance, missing library, no window).
    bool InitInstance();
    int Run();
    int ExitInstance();

    const ProgramSettings& Settings() const { return settings_; }

private:
    HANDLE mutex_ = nullptr;
    bool ownsSettings_ = false;  // a second instance never writes them
    int exitCode_ = 0;
    ProgramSettings settings_;
    ReaderLibrary reader_;
    ReaderModule module_;
    ReaderConnection connection_;
    std::unique_ptr<CMainFrame> frame_;
};
