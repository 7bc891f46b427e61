// The call journal: every library call the program makes, as the reader
// library's observer sees it, kept in a ring of the latest calls. The oldest
// go first once there are kMaxCalls or their buffers pass kMaxBytes; the
// journal counts them. Keys are kept as typed: masking is the saved file's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <vector>

#include "vantrel/reader/call_observer.h"
#include "vantrel/toolkit/status_hints.h"

namespace journal {

inline constexpr size_t kMaxCalls = 100'000;
inline constexpr size_t kMaxBytes = 32u << 20;

struct RecordedArgument {
    ObservedArgument::Kind kind = ObservedArgument::Kind::Scalar;
    bool null = false;      // a pointer argument passed as null
    bool answered = false;  // out bytes were recorded (status 0)
    int64_t value = 0;
    uint32_t inSize = 0;
    uint32_t outSize = 0;
};

struct RecordedCall {
    uint64_t sequence;        // from 1, the program's first call
    int64_t startMicros;      // when the call began: microseconds since 1970, UTC
    int32_t cardType;         // the card type chosen when it was made
    uint8_t rfMode;           // the last RF mode set (rf_init_type), 0 before any
    int ordinal;
    const wchar_t* name;      // as the log shows it; "" for functions never logged
    int32_t status;
    int64_t microseconds;
    std::vector<RecordedArgument> arguments;
    std::vector<uint8_t> bytes;  // every argument's in bytes, then its out bytes, in order

    std::span<const uint8_t> In(size_t argument) const;
    std::span<const uint8_t> Out(size_t argument) const;
    // The scalar arguments by position (0 for pointers), as the secret table takes them.
    std::vector<int64_t> Values() const;
};

class CallJournal : public ReaderObserver {
public:
    using Clock = std::function<int64_t()>;  // microseconds since 1970, UTC

    CallJournal(size_t maxCalls = kMaxCalls, size_t maxBytes = kMaxBytes, Clock clock = {});

    // The card type the following calls are made for.
    void SetCardType(int32_t code) { cardType_ = code; }
    void OnCall(const ObservedCall& call) override;

    const std::deque<RecordedCall>& Calls() const { return calls_; }
    uint64_t Dropped() const { return dropped_; }
    // What the calls held take in memory, as the bound counts it.
    size_t Bytes() const { return bytes_; }

private:
    static size_t Cost(const RecordedCall& call);

    size_t maxCalls_;
    size_t maxBytes_;
    Clock clock_;
    std::deque<RecordedCall> calls_;
    uint64_t next_ = 1;
    uint64_t dropped_ = 0;
    size_t bytes_ = 0;
    int32_t cardType_ = 0;
    uint8_t rfMode_ = 0;
};

// How the answer of `call` carries the card's status, for its hint.
AnswerForm AnswerFormOf(const RecordedCall& call);
// The call's answer: its first out buffer, empty when it has none.
std::span<const uint8_t> AnswerOf(const RecordedCall& call);

}  // namespace journal
