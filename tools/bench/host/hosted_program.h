// The program's main frame, panels and reader library, built in this process
// the way the program builds them at start-up, for timing and resource
// checks. Waits are made and summed; message boxes are recorded and answered
// with OK instead of shown.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tools/bench/host/main_commands.h"
#include "tools/bench/host/scratch_cards.h"
#include "tools/bench/host/stopwatch.h"
#include "vantrel/reader/reader_connection.h"
#include "vantrel/reader/reader_library.h"
#include "vantrel/shell/card_registry.h"
#include "vantrel/shell/main_frame.h"

class CountingFrame : public CMainFrame {
public:
    using CMainFrame::CMainFrame;

    void Wait(DWORD milliseconds) override;
    int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                       UINT type) override;
    void ClearLog() override;
    void AddLogLine(const std::wstring& functionName, int32_t status) override;
    void ShowStatus(const std::wstring& text) override;
    void EndReports() override;

    DWORD waited = 0;        // what the program asked for
    double sleptMs = 0;      // what those waits took on the clock
    double reportingMs = 0;  // in the log and the status field
    std::vector<std::wstring> boxes;
};

// What one command cost: the handler's wall time, the waits it asked for and
// what they took, and what the status field and the message boxes said.
struct CommandRun {
    double ms = 0;
    DWORD waitedMs = 0;
    double sleptMs = 0;
    double reportingMs = 0;
    std::wstring status;
    std::vector<std::wstring> boxes;
    bool found = true;     // every control, list entry and radio button the steps name was there
    std::wstring unlike;   // the first checked text that did not match, with what was expected
};

// A mark for tools/count-requests in Wine's debug output:
// "vantrel-bench: <stage> <code> <step>", with " <from>" when from >= 0.
void BenchMark(const char* stage, int32_t code, const char* step, int32_t from = -1);

class HostedProgram {
public:
    HostedProgram() = default;
    ~HostedProgram();
    HostedProgram(const HostedProgram&) = delete;
    HostedProgram& operator=(const HostedProgram&) = delete;

    // Loads Kelvar.dll from this program's folder (its card images in a
    // scratch folder), creates and shows the frame with `card`'s panel and
    // runs the start-up connection. False when any step fails.
    bool Start(int32_t card);

    CountingFrame& Frame() { return *frame_; }
    // The card type's menu command (Port Set for the device page), sent as
    // the menu sends it; returns once the queue is idle again, with the time
    // the command's handler took.
    double Select(const CardTypeRow& row);
    // The card type shown (255: the device page).
    int32_t Shown() const { return shown_; }
    // Runs the steps of `command` on the current panel; only its last press is timed.
    CommandRun Run(const PanelCommand& command);
    // Delivers what waits in this thread's queue, paints included.
    static void PumpUntilIdle();

private:
    ScratchCards cards_;
    ProgramSettings settings_;
    ReaderLibrary reader_;
    ReaderModule module_;
    ReaderConnection connection_;
    std::unique_ptr<CountingFrame> frame_;
    int32_t shown_ = -1;
};
