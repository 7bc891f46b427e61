// The progress of a dump: a window with the unit being read or written, a
// bar and Cancel, shown once the work has taken half a second. Between
// steps it lets the program's windows paint and takes the Cancel; the
// frame takes no input meanwhile, and a request to close it stops the work
// and closes the frame afterwards.
#pragma once

#include <windows.h>

#include <string>

#include "vantrel/dumps/dump_plans.h"
#include "vantrel/framework/dialog.h"
#include "vantrel/framework/message_map.h"

namespace dumps {

class ProgressWindow : public WithMessageMap<ProgressWindow, Dialog>, public DumpProgress {
public:
    static constexpr DWORD kShowAfterMs = 500;

    // `verb` starts each step's text: "Reading", "Writing".
    ProgressWindow(HWND frame, std::wstring title, std::wstring verb);
    ~ProgressWindow() override;

    bool Step(int done, int total, const std::wstring& what) override;
    bool Cancelled() const { return cancelled_; }
    // Shown now rather than after half a second (screenshots).
    void ShowNow();

    static std::span<const MessageEntry<ProgressWindow>> Messages();

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    void Pump();

    HWND frame_;
    std::wstring title_;
    std::wstring verb_;
    DWORD started_;
    bool shown_ = false;
    bool cancelled_ = false;
    bool frameWasEnabled_ = false;
    bool closeAsked_ = false;  // a close of the frame, passed on when the work is over
    std::wstring lastText_;
    int lastPosition_ = -1;
};

}  // namespace dumps
