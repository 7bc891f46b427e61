// One function of the reader library as the program calls it: bound by
// ordinal, named as the result log shows it, and seen by the library's
// observer (call_observer.h) when one is set. A function the library does not
// export answers kStatusNotBound instead of being called, so callers log and
// report it like any other failure.
//
// Only Command calls a reader function: it logs and reports every call. The
// virtual field, whose functions of our own are never logged, is the one
// other caller. Anything else that calls one does not compile.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "vantrel/reader/call_observer.h"

// Status of a call to a function the loaded library does not export.
inline constexpr int32_t kStatusNotBound = -2;

// The device address: the first argument of every function that addresses
// the reader.
inline constexpr int32_t kDevice = 0;

class Command;
class VirtualField;

template <typename Signature>
class ReaderFunction;

template <typename... Args>
class ReaderFunction<int32_t(Args...)> {
public:
    using Pointer = int32_t(__stdcall*)(Args...);

    // `observer` is where the library keeps its observer (none: null).
    ReaderFunction(int ordinal, const wchar_t* name, ReaderObserver* const* observer = nullptr)
        : ordinal_(ordinal), name_(name), observer_(observer) {}
    ReaderFunction(const ReaderFunction&) = delete;
    ReaderFunction& operator=(const ReaderFunction&) = delete;

    bool IsBound() const { return fn_ != nullptr; }
    void Set(Pointer fn) { fn_ = fn; }
    void Bind(FARPROC address) { fn_ = reinterpret_cast<Pointer>(reinterpret_cast<void*>(address)); }
    int Ordinal() const { return ordinal_; }
    // The name under which the result log shows this function.
    const wchar_t* Name() const { return name_; }

private:
    friend class Command;
    friend class VirtualField;

    int32_t operator()(Args... args) const {
        ReaderObserver* observer = observer_ != nullptr ? *observer_ : nullptr;
        if (observer == nullptr) return Call(args...);
        const std::array<PassedArgument, sizeof...(Args)> passed{PassedArgument::Of(args)...};
        CallRecorder record(ordinal_, name_, passed);
        const int32_t status = Call(args...);
        record.Finish(status, *observer);
        return status;
    }
    int32_t Call(Args... args) const { return fn_ ? fn_(args...) : kStatusNotBound; }

    int ordinal_;
    const wchar_t* name_;
    ReaderObserver* const* observer_;
    Pointer fn_ = nullptr;
};
