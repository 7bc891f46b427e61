#include "vantrel/reader/call_observer.h"

#include "kelvar/buffer_rules.h"

namespace {

using kelvar::Direction;
using kelvar::SizeKind;

// A scalar, or the length a pointer argument points at (in the host's byte
// order, little-endian here).
uint64_t ValueAt(const PassedArgument& argument) {
    if (!argument.pointer) return static_cast<uint64_t>(argument.value);
    if (argument.address == nullptr) return 0;
    uint64_t value = 0;
    for (int i = argument.width - 1; i >= 0; --i) value = value << 8 | argument.address[i];
    return value;
}

// The size of the buffer `rule` describes; a Reported size is known only
// after the call.
size_t SizeOf(const kelvar::BufferRule& rule, std::span<const PassedArgument> passed) {
    switch (rule.kind) {
        case SizeKind::Fixed: return static_cast<size_t>(rule.value);
        case SizeKind::Arg:
        case SizeKind::Reported: return static_cast<size_t>(ValueAt(passed[static_cast<size_t>(rule.value)]));
    }
    return 0;
}

}  // namespace

CallRecorder::CallRecorder(int ordinal, const wchar_t* name, std::span<const PassedArgument> passed)
    : ordinal_(ordinal), name_(name), passed_(passed), before_(passed.size()) {
    for (size_t i = 0; i < passed.size(); ++i) {
        if (!passed[i].pointer || passed[i].address == nullptr) continue;
        const kelvar::BufferRule rule = kelvar::RuleOf(ordinal, static_cast<int>(i));
        if (rule.direction == Direction::InOut) {
            before_[i].assign(passed[i].address, passed[i].address + SizeOf(rule, passed));
        }
    }
    start_ = std::chrono::steady_clock::now();
}

void CallRecorder::Finish(int32_t status, ReaderObserver& observer) {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    std::vector<ObservedArgument> arguments(passed_.size());
    for (size_t i = 0; i < passed_.size(); ++i) {
        const PassedArgument& passed = passed_[i];
        ObservedArgument& argument = arguments[i];
        if (!passed.pointer) {
            argument.value = passed.value;
            continue;
        }
        const kelvar::BufferRule rule = kelvar::RuleOf(ordinal_, static_cast<int>(i));
        switch (rule.direction) {
            case Direction::In: argument.kind = ObservedArgument::Kind::In; break;
            case Direction::Out: argument.kind = ObservedArgument::Kind::Out; break;
            case Direction::InOut: argument.kind = ObservedArgument::Kind::InOut; break;
        }
        if (passed.address == nullptr) continue;
        if (rule.direction == Direction::In) argument.in = {passed.address, SizeOf(rule, passed_)};
        if (rule.direction == Direction::InOut) argument.in = before_[i];
        if (rule.direction != Direction::In && status == 0) argument.out = {passed.address, SizeOf(rule, passed_)};
    }
    observer.OnCall({ordinal_, name_, arguments, status,
                     std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()});
}
