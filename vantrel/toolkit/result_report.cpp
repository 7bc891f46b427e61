#include "vantrel/toolkit/result_report.h"

#include "vantrel/toolkit/report_text.h"
#include "vantrel/toolkit/ui_text.h"

void ReportResult(PanelServices& services, int32_t status, const wchar_t* functionName) {
    services.ShowStatus(ResultText(status, functionName));
    if (status != 0) services.Beep(MB_ICONQUESTION);
}

void ReportError(PanelServices& services, const std::wstring& text) {
    services.ShowStatus(ErrorText(text.c_str()));
    services.Beep(MB_ICONQUESTION);
}

void ReportStatus(PanelServices& services, const std::wstring& text) { services.ShowStatus(text); }

void ShowInputError(PanelServices& services, HWND owner, const std::wstring& text,
                    const UiString& caption) {
    services.ShowMessageBox(owner, text, UiText(caption), MB_OK | MB_ICONSTOP);
}

Command::Command(PanelContext& context, HWND owner, bool clearLog)
    : context_(context), owner_(owner) {
    context_.services.BeginReports();
    if (clearLog) context_.services.ClearLog();
}

Command::~Command() {
    try {
        WriteHeldLogLine();
    } catch (...) {
        // the line is lost; the report stands
    }
    context_.services.EndReports();
}

bool Command::RequireConnection() {
    if (context_.connection.open) return true;
    ReportError(context_.services, UiText(kMainMessages, kTextPortNotOpened));
    return false;
}

bool Command::Finish(const wchar_t* name, int32_t status, Logging logging) {
    status_ = status;
    if (logging == Logging::Now) {
        context_.services.AddLogLine(name, status);
    } else if (logging == Logging::AfterReport || status == 0) {
        heldLogLine_.emplace(name, status);
    }
    if (status != 0) Failed(status, name);
    return status == 0;
}

void Command::WriteHeldLogLine() {
    if (!heldLogLine_) return;
    const auto line = std::move(*heldLogLine_);
    heldLogLine_.reset();
    context_.services.AddLogLine(line.first, line.second);
}

void Command::Done(const std::wstring& text) {
    ReportStatus(context_.services, text);
    WriteHeldLogLine();
}

void Command::Failed(const std::wstring& text) {
    ReportError(context_.services, text);
    WriteHeldLogLine();
    if (onFailure_) onFailure_();
}

void Command::Failed(int32_t status, const wchar_t* name) {
    ReportResult(context_.services, status, name);
    WriteHeldLogLine();
    if (onFailure_) onFailure_();
}

void Command::InputError(const std::wstring& text, const UiString& caption) {
    ShowInputError(context_.services, owner_, text, caption);
}
