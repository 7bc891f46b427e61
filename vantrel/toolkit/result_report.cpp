#include "vantrel/toolkit/result_report.h"

#include "vantrel/toolkit/report_text.h"
#include "vantrel/toolkit/status_hints.h"
#include "vantrel/toolkit/ui_text.h"

void ReportResult(PanelServices& services, int32_t status, const wchar_t* functionName) {
    services.ShowStatus(ResultText(status, functionName));
    if (status != 0) services.ShowStatusHint(StatusHint(status));
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
        WriteHeldLogLines();
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

void Command::CloseConnection() {
    CallUnreported(context_.reader.close_connection);
    context_.connection.open = false;
}

bool Command::Finish(const wchar_t* name, int32_t status, Logging logging) {
    status_ = status;
    switch (logging) {
        case Logging::Now:
            context_.services.AddLogLine(name, status);
            break;
        case Logging::AfterReport:
            heldLogLines_.emplace_back(name, status);
            break;
        case Logging::SuccessNow:
            if (status == 0) context_.services.AddLogLine(name, status);
            break;
        case Logging::SuccessAfterReport:
            if (status == 0) heldLogLines_.emplace_back(name, status);
            break;
        case Logging::Never:
            break;
    }
    if (status != 0) Failed(status, name);
    return status == 0;
}

void Command::WriteHeldLogLines() {
    // Taken first: a line written may not be written again.
    const auto lines = std::move(heldLogLines_);
    heldLogLines_.clear();
    for (const auto& [name, status] : lines) context_.services.AddLogLine(name, status);
}

void Command::Done(const std::wstring& text) {
    ReportStatus(context_.services, text);
    WriteHeldLogLines();
}

void Command::Failed(const std::wstring& text) {
    ReportError(context_.services, text);
    WriteHeldLogLines();
    if (onFailure_) onFailure_();
}

void Command::Failed(int32_t status, const wchar_t* name) {
    ReportResult(context_.services, status, name);
    WriteHeldLogLines();
    if (onFailure_) onFailure_();
}

void Command::FailedAnswer(const wchar_t* name) {
    Failed(std::wstring(UiText(kAnswerLengthError)) + UiText(kMainMessages, kTextFunctionSeparator) + name);
}

void Command::InputError(const std::wstring& text, const UiString& caption) {
    ShowInputError(context_.services, owner_, text, caption);
}
