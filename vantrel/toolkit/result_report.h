// How every command shows its outcome: one status text (with a beep for
// errors), one log line per library call, and message boxes for bad input.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "vantrel/toolkit/panel_context.h"
#include "vantrel/toolkit/ui_text.h"

void ReportResult(PanelServices& services, int32_t status, const wchar_t* functionName = nullptr);
void ReportError(PanelServices& services, const std::wstring& text);
void ReportStatus(PanelServices& services, const std::wstring& text);

// The input error box: caption "Error", stop icon, OK.
void ShowInputError(PanelServices& services, HWND owner, const std::wstring& text,
                    const UiString& caption = kBoxCaptionError);

// The frame of one operator command:
//
//   Command cmd(context_, hwnd_);          // clears the log
//   cmd.OnFailure([this] { cardSelected_ = false; });
//   if (!cmd.RequireConnection()) return;   // "Error: Port did't opened"
//   if (!cmd.Call(reader.rf_request, 0, 0x52, &type)) return;   // logged; reported on failure
//   cmd.Succeeded(reader.rf_request);       // or cmd.Done(text)
//
// A call is logged in one of three ways, named where it is made:
//   Call                    logged at once
//   CallLoggedAfterReport   logged right after the command's next report
//   CallNotLoggedOnFailure  a failure is reported only; success is logged
//                           right after the command's next report
// Every failure the command reports (a failed call or Failed) runs the
// failure hook after the report.
class Command {
public:
    // Opens the command's reports (see PanelServices::BeginReports).
    Command(PanelContext& context, HWND owner, bool clearLog = true);
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;
    // Writes a log line still held back and closes the reports.
    ~Command();

    void OnFailure(std::function<void()> hook) { onFailure_ = std::move(hook); }

    // False, with the connection error reported, when no connection is open.
    bool RequireConnection();

    // Calls `fn`, logs it under its name, and reports a failure. True on success.
    template <typename Fn, typename... Args>
    bool Call(const Fn& fn, Args... args) {
        return Finish(fn.Name(), fn(args...), Logging::Now);
    }
    template <typename Fn, typename... Args>
    bool CallLoggedAfterReport(const Fn& fn, Args... args) {
        return Finish(fn.Name(), fn(args...), Logging::AfterReport);
    }
    template <typename Fn, typename... Args>
    bool CallNotLoggedOnFailure(const Fn& fn, Args... args) {
        return Finish(fn.Name(), fn(args...), Logging::NotOnFailure);
    }
    // Calls and logs `fn` without reporting a failure.
    template <typename Fn, typename... Args>
    int32_t CallQuietly(const Fn& fn, Args... args) {
        status_ = fn(args...);
        context_.services.AddLogLine(fn.Name(), status_);
        return status_;
    }

    void InputError(const std::wstring& text, const UiString& caption = kBoxCaptionError);
    template <typename Fn>
    void Succeeded(const Fn& fn) {
        ReportResult(context_.services, 0, fn.Name());
        WriteHeldLogLine();
    }
    void Done(const std::wstring& text);
    // Reports `text` as an error ("Error: %s", beep) and runs the failure hook.
    void Failed(const std::wstring& text);
    // Reports a failed status under `name` and runs the failure hook.
    void Failed(int32_t status, const wchar_t* name);
    void Wait(DWORD milliseconds) {
        if (milliseconds > 0) context_.services.Wait(milliseconds);
    }
    int32_t LastStatus() const { return status_; }
    PanelContext& Context() { return context_; }

private:
    enum class Logging { Now, AfterReport, NotOnFailure };

    bool Finish(const wchar_t* name, int32_t status, Logging logging);
    void WriteHeldLogLine();

    PanelContext& context_;
    HWND owner_;
    int32_t status_ = 0;
    std::function<void()> onFailure_;
    std::optional<std::pair<std::wstring, int32_t>> heldLogLine_;
};
