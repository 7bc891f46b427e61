// What an observer of the program's reader library calls sees of each call:
// its ordinal and logged name, every argument in order (scalars by value,
// buffers with the bytes the function list says they hold), the status and
// the time the call took. Set on a ReaderLibrary; a library without one pays
// a pointer test per call.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

struct ObservedArgument {
    enum class Kind : uint8_t { Scalar, In, Out, InOut };
    Kind kind = Kind::Scalar;
    int64_t value = 0;               // a scalar's value
    std::span<const uint8_t> in;     // In, InOut: the bytes passed (none for a null pointer)
    std::span<const uint8_t> out;    // Out, InOut: the bytes answered, after a success only
};

struct ObservedCall {
    int ordinal;
    const wchar_t* name;  // as the log shows it; "" for functions never logged
    std::span<const ObservedArgument> arguments;
    int32_t status;
    int64_t microseconds;
};

class ReaderObserver {
public:
    virtual void OnCall(const ObservedCall& call) = 0;

protected:
    ~ReaderObserver() = default;
};

// One argument as a call passes it, before its buffer sizes are known.
struct PassedArgument {
    bool pointer = false;
    int64_t value = 0;                // scalars
    const uint8_t* address = nullptr;  // pointers
    int width = 0;                    // bytes of what a pointer points at

    template <typename T>
    static PassedArgument Of(T argument) {
        if constexpr (std::is_pointer_v<T>) {
            return {true, 0, reinterpret_cast<const uint8_t*>(argument), sizeof(*argument)};
        } else {
            return {false, static_cast<int64_t>(argument), nullptr, 0};
        }
    }
};

// One observed call from its start to its report: built just before the
// call (it keeps what in-out buffers held), finished with its status.
class CallRecorder {
public:
    CallRecorder(int ordinal, const wchar_t* name, std::span<const PassedArgument> passed);
    void Finish(int32_t status, ReaderObserver& observer);

private:
    int ordinal_;
    const wchar_t* name_;
    std::span<const PassedArgument> passed_;
    std::vector<std::vector<uint8_t>> before_;  // in-out buffers as passed
    std::chrono::steady_clock::time_point start_;
};
