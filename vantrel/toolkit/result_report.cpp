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
                    const wchar_t* caption) {
    services.ShowMessageBox(owner, text, caption, MB_OK | MB_ICONSTOP);
}

Command::Command(PanelContext& context, HWND owner, bool clearLog)
    : context_(context), owner_(owner) {
    if (clearLog) context_.services.ClearLog();
}

bool Command::RequireConnection() {
    if (context_.connection.open) return true;
    ReportError(context_.services, UiText(kMainMessages, kTextPortNotOpened));
    return false;
}

void Command::InputError(const std::wstring& text, const wchar_t* caption) {
    ShowInputError(context_.services, owner_, text, caption);
}
