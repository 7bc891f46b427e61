// Calls of the library's exports, linked into the native tests, made the way
// the program's ReaderLibrary makes them: each one handed to an observer.
#pragma once

#include <array>
#include <string>

#include "kelvar/api/exports.h"
#include "kelvar/kelvar_functions.h"
#include "vantrel/reader/call_observer.h"

namespace test_library {

template <typename Function, typename... Args>
int32_t Observed(ReaderObserver& observer, int ordinal, const wchar_t* name, Function function, Args... args) {
    const std::array<PassedArgument, sizeof...(Args)> passed{PassedArgument::Of(args)...};
    CallRecorder record(ordinal, name, passed);
    const int32_t status = function(args...);
    record.Finish(status, observer);
    return status;
}

}  // namespace test_library

// OBSERVED(observer, rf_M1_read, 0, 4, out, &length)
#define OBSERVED(observer, function, ...) \
    test_library::Observed(observer, kelvar::OrdinalOf(#function), L"" #function, function __VA_OPT__(, ) __VA_ARGS__)
