// Where the program's code meets the system (window, dialog and subclass
// procedures), exceptions stop: the one that escaped is written to the
// debugger output and the message takes its default path.
#pragma once

#include <exception>
#include <string>

// Writes one line naming `where` and the exception to the debugger output.
void ReportEscapedException(const wchar_t* where, const std::exception* exception) noexcept;

// Receives the lines instead of the debugger output; nullptr restores it. For tests.
using EscapedExceptionSink = void (*)(const std::wstring& line);
void SetEscapedExceptionSink(EscapedExceptionSink sink) noexcept;

// Runs `body`; false when an exception escaped it (reported as above).
template <typename Body>
bool ExceptionBarrier(const wchar_t* where, Body&& body) noexcept {
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        ReportEscapedException(where, &e);
    } catch (...) {
        ReportEscapedException(where, nullptr);
    }
    return false;
}
