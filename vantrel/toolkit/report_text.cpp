#include "vantrel/toolkit/report_text.h"

#include "vantrel/toolkit/ui_text.h"

std::wstring ResultText(int32_t status, const wchar_t* functionName) {
    std::wstring text = status == 0 ? std::wstring(UiText(kMainMessages, kTextSuccess))
                                    : FormatText(L"Error: %x", status);
    if (functionName != nullptr) {
        text += UiText(kMainMessages, kTextFunctionSeparator);
        text += functionName;
    }
    return text;
}

std::wstring ErrorText(const wchar_t* text) {
    std::wstring result = L"Error: ";
    if (text != nullptr) result += text;
    return result;
}

std::wstring LogResultText(int32_t status) {
    if (status == 0) return UiText(kMainMessages, kTextCallOk);
    return FormatText(UiText(kMainMessages, kTextCallFailed), status);
}
