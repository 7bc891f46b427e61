// How every command shows its outcome: one status text (with a beep for
// errors), one log line per library call, and message boxes for bad input.
#pragma once

#include <cstdint>
#include <string>

#include "vantrel/toolkit/panel_context.h"

void ReportResult(PanelServices& services, int32_t status, const wchar_t* functionName = nullptr);
void ReportError(PanelServices& services, const std::wstring& text);
void ReportStatus(PanelServices& services, const std::wstring& text);

// The input error box: caption "Error", stop icon, OK.
void ShowInputError(PanelServices& services, HWND owner, const std::wstring& text,
                    const wchar_t* caption = L"Error");

// The frame of one operator command:
//
//   Command cmd(context_, hwnd_);          // clears the log
//   if (!cmd.RequireConnection()) return;   // "Error: Port did't opened"
//   if (!cmd.Call(reader.rf_request, 0, 0x52, &type)) return;   // logged; reported on failure
//   cmd.Succeeded(reader.rf_request);       // or cmd.Done(text)
class Command {
public:
    Command(PanelContext& context, HWND owner, bool clearLog = true);

    // False, with the connection error reported, when no connection is open.
    bool RequireConnection();

    // Calls `fn`, logs it under its name, and reports a failure. True on success.
    template <typename Fn, typename... Args>
    bool Call(const Fn& fn, Args... args) {
        status_ = fn(args...);
        context_.services.AddLogLine(fn.Name(), status_);
        if (status_ != 0) ReportResult(context_.services, status_, fn.Name());
        return status_ == 0;
    }
    // Calls and logs `fn` without reporting a failure.
    template <typename Fn, typename... Args>
    int32_t CallQuietly(const Fn& fn, Args... args) {
        status_ = fn(args...);
        context_.services.AddLogLine(fn.Name(), status_);
        return status_;
    }

    void InputError(const std::wstring& text, const wchar_t* caption = L"Error");
    template <typename Fn>
    void Succeeded(const Fn& fn) {
        ReportResult(context_.services, 0, fn.Name());
    }
    void Done(const std::wstring& text) { ReportStatus(context_.services, text); }
    void Failed(const std::wstring& text) { ReportError(context_.services, text); }
    void Wait(DWORD milliseconds) { context_.services.Wait(milliseconds); }
    int32_t LastStatus() const { return status_; }
    PanelContext& Context() { return context_; }

private:
    PanelContext& context_;
    HWND owner_;
    int32_t status_ = 0;
};
