// What a panel reaches the world through: the reader, the connection, the
// result log and status field, message boxes, beeps, waits, the clock and the
// program's folder. The shell wires these to the real windows; tests wire
// fakes that record and answer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "vantrel/reader/reader_connection.h"
#include "vantrel/reader/reader_library.h"

class PanelServices {
public:
    virtual ~PanelServices() = default;

    virtual void ClearLog() = 0;
    virtual void AddLogLine(const std::wstring& functionName, int32_t status) = 0;
    virtual void ShowStatus(const std::wstring& text) = 0;
    // The plain words behind the status just shown (ShowStatus clears them).
    virtual void ShowStatusHint(const std::wstring&) {}
    // One command's reports come between these (pairs nest): the log may be
    // drawn once at the end instead of line by line, and must be on the
    // screen when EndReports returns.
    virtual void BeginReports() {}
    virtual void EndReports() {}
    // Shows the connection target in the dialog bar (after a successful connect).
    virtual void ShowConnectionTarget() = 0;
    virtual int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                           UINT type) = 0;
    virtual void Beep(UINT type) = 0;
    virtual void Wait(DWORD milliseconds) = 0;
    virtual SYSTEMTIME LocalTime() = 0;
    virtual std::wstring ProgramFolder() = 0;
};

struct PanelContext {
    ReaderLibrary& reader;
    ReaderConnection& connection;
    PanelServices& services;
};
