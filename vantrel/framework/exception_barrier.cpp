#include "vantrel/framework/exception_barrier.h"

#include <windows.h>

namespace {

EscapedExceptionSink sink = nullptr;

}  // namespace

void SetEscapedExceptionSink(EscapedExceptionSink newSink) noexcept { sink = newSink; }

void ReportEscapedException(const wchar_t* where, const std::exception* exception) noexcept {
    try {
        std::wstring line = L"Vantrel: exception stopped in ";
        line += where;
        line += L": ";
        if (exception == nullptr) {
            line += L"(not a std::exception)";
        } else {
            for (const char* c = exception->what(); *c != '\0'; ++c)
                line.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
        }
        line += L"\n";
        if (sink != nullptr) {
            sink(line);
        } else {
            OutputDebugStringW(line.c_str());
        }
    } catch (...) {
        OutputDebugStringW(L"Vantrel: exception stopped; no memory to describe it\n");
    }
}
