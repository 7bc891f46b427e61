// How every command shows its outcome: one status text (with a beep for
// errors), one log line per library call, and message boxes for bad input.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "vantrel/toolkit/panel_context.h"
#include "vantrel/toolkit/ui_text.h"

void ReportResult(PanelServices& services, int32_t status, const wchar_t* functionName = nullptr);
void ReportError(PanelServices& services, const std::wstring& text);
void ReportStatus(PanelServices& services, const std::wstring& text);

// The input error box: caption "Error", stop icon, OK.
void ShowInputError(PanelServices& services, HWND owner, const std::wstring& text,
                    const UiString& caption = kBoxCaptionError);

//// The frame of one operator command, and the only caller of the reader
// library's functions (reader_function.h):
//
//   Command cmd(context_, hwnd_);          // clears the log
//   cmd.OnFailure([this] { cardSelected_ = false; });
//   if (!cmd.RequireConnection()) return;   // "Error: Port did't opened"
//   if (!cmd.Call(reader.rf_request, kDevice, 0x52, &type)) return;   // logged; reported on failure
//   cmd.Succeeded(reader.rf_request);       // or cmd.Done(text)
//
// Each call says where it is made how it is logged and whether a failure is
// reported:
//                            success logged      failure logged     failure reported
//   Call                     at once             at once            yes
//   CallLoggedAfterReport    after next report   after next report  yes
//   CallLoggedOnSuccess      at once             no                 yes
//   CallNotLoggedOnFailure   after next report   no                 yes
//   CallNotLogged            no                  no                 yes
//   CallQuietly              at once             at once            no
//   CallUnreported           no                  no                 no
// Lines held for the next report are written after it in the order of their
// calls. Every failure the command reports (a failed call or Failed) runs
// the failure hook after the report.
class Command {
public:
    // Opens the command's reports (see PanelServices::BeginReports).
    Command(PanelContext& context, HWND owner, bool clearLog = true);
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;
    // Writes the log lines still held back and closes the reports.
    ~Command();

    void OnFailure(std::function<void()> hook) { onFailure_ = std::move(hook); }

    // False, with the connection error reported, when no connection is open.
    bool RequireConnection();
    // Calls the close function, whose result means nothing, and clears the
    // connection flag.
    void CloseConnection();

    // The reporting calls: true on success.
    template <typename Fn, typename... Args>
    bool Call(const Fn& fn, Args... args) {
        return Finish(fn.Name(), fn(args...), Logging::Now);
    }
    template <typename Fn, typename... Args>
    bool CallLoggedAfterReport(const Fn& fn, Args... args) {
        return Finish(fn.Name(), fn(args...), Logging::AfterReport);
    }
    template <typename Fn, typename... Args>
    bool CallLoggedOnSuccess(const Fn& fn, Args... args) {
        return Finish(fn.Name(), fn(args...), Logging::SuccessNow);
    }
    template <typename Fn, typename... Args>
    bool CallNotLoggedOnFailure(const Fn& fn, Args... args) {
        return Finish(fn.Name(), fn(args...), Logging::SuccessAfterReport);
    }
    template <typename Fn, typename... Args>
    bool CallNotLogged(const Fn& fn, Args... args) {
        return Finish(fn.Name(), fn(args...), Logging::Never);
    }
    // The calls that leave the report to the caller: the status.
    template <typename Fn, typename... Args>
    int32_t CallQuietly(const Fn& fn, Args... args) {
        status_ = fn(args...);
        context_.services.AddLogLine(fn.Name(), status_);
        return status_;
    }
    template <typename Fn, typename... Args>
    int32_t CallUnreported(const Fn& fn, Args... args) {
        status_ = fn(args...);
        return status_;
    }
    // A log line for `fn` with `status`, at once.
    template <typename Fn>
    void Log(const Fn& fn, int32_t status) {
        context_.services.AddLogLine(fn.Name(), status);
    }

    void InputError(const std::wstring& text, const UiString& caption = kBoxCaptionError);
    template <typename Fn>
    void Succeeded(const Fn& fn) {
        ReportResult(context_.services, 0, fn.Name());
        WriteHeldLogLines();
    }
    void Done(const std::wstring& text);
    // Reports `text` as an error ("Error: %s", beep) and runs the failure hook.
    void Failed(const std::wstring& text);
    // Reports a failed status under `name` and runs the failure hook.
    void Failed(int32_t status, const wchar_t* name);
    // Reports an answer that a successful call of `fn` gave but that cannot
    // be used (too short, too long or malformed): its status would read as
    // success.
    template <typename Fn>
    void FailedAnswer(const Fn& fn) {
        FailedAnswer(fn.Name());
    }
    void FailedAnswer(const wchar_t* name);
    void Wait(DWORD milliseconds) {
        if (milliseconds > 0) context_.services.Wait(milliseconds);
    }
    int32_t LastStatus() const { return status_; }
    PanelContext& Context() { return context_; }

private:
    enum class Logging { Now, AfterReport, SuccessNow, SuccessAfterReport, Never };

    bool Finish(const wchar_t* name, int32_t status, Logging logging);
    void WriteHeldLogLines();

    PanelContext& context_;
    HWND owner_;
    int32_t status_ = 0;
    std::function<void()> onFailure_;
    std::vector<std::pair<std::wstring, int32_t>> heldLogLines_;
};
