#include "vantrel/journal/call_journal.h"

#include <chrono>

#include "kelvar/kelvar_functions.h"
#include "vantrel/toolkit/tcl_card_codes.h"

namespace journal {

namespace {

using Kind = ObservedArgument::Kind;

constexpr int kInitType = kelvar::OrdinalOf("rf_init_type");
constexpr uint8_t kModeIso15693 = '1';

int64_t SystemMicros() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

size_t OffsetOf(const RecordedCall& call, size_t argument) {
    size_t offset = 0;
    for (size_t i = 0; i < argument && i < call.arguments.size(); ++i) {
        offset += call.arguments[i].inSize + call.arguments[i].outSize;
    }
    return offset;
}

}  // namespace

std::span<const uint8_t> RecordedCall::In(size_t argument) const {
    if (argument >= arguments.size()) return {};
    return std::span<const uint8_t>(bytes).subspan(OffsetOf(*this, argument), arguments[argument].inSize);
}

std::span<const uint8_t> RecordedCall::Out(size_t argument) const {
    if (argument >= arguments.size()) return {};
    return std::span<const uint8_t>(bytes).subspan(OffsetOf(*this, argument) + arguments[argument].inSize,
                                                   arguments[argument].outSize);
}

std::vector<int64_t> RecordedCall::Values() const {
    std::vector<int64_t> values;
    for (const RecordedArgument& argument : arguments) values.push_back(argument.kind == Kind::Scalar ? argument.value : 0);
    return values;
}

CallJournal::CallJournal(size_t maxCalls, size_t maxBytes, Clock clock)
    : maxCalls_(maxCalls), maxBytes_(maxBytes), clock_(clock ? std::move(clock) : Clock(SystemMicros)) {}

size_t CallJournal::Cost(const RecordedCall& call) {
    return sizeof(RecordedCall) + call.arguments.capacity() * sizeof(RecordedArgument) + call.bytes.capacity();
}

void CallJournal::OnCall(const ObservedCall& observed) {
    RecordedCall call{next_++, clock_() - observed.microseconds, cardType_, rfMode_, observed.ordinal,
                      observed.name, observed.status, observed.microseconds, {}, {}};
    size_t size = 0;
    for (const ObservedArgument& argument : observed.arguments) size += argument.in.size() + argument.out.size();
    call.arguments.reserve(observed.arguments.size());
    call.bytes.reserve(size);
    for (const ObservedArgument& argument : observed.arguments) {
        RecordedArgument& recorded = call.arguments.emplace_back();
        recorded.kind = argument.kind;
        recorded.value = argument.value;
        recorded.inSize = static_cast<uint32_t>(argument.in.size());
        recorded.outSize = static_cast<uint32_t>(argument.out.size());
        // The observer gives a null pointer no bytes, and out bytes only after a success.
        recorded.null = argument.kind != Kind::Scalar && argument.in.data() == nullptr &&
                        argument.out.data() == nullptr && (argument.kind == Kind::In || observed.status == 0);
        recorded.answered = argument.kind != Kind::Scalar && argument.kind != Kind::In && observed.status == 0 &&
                            !recorded.null;
        call.bytes.insert(call.bytes.end(), argument.in.begin(), argument.in.end());
        call.bytes.insert(call.bytes.end(), argument.out.begin(), argument.out.end());
    }
    if (observed.ordinal == kInitType && observed.status == 0 && observed.arguments.size() > 1) {
        rfMode_ = static_cast<uint8_t>(observed.arguments[1].value);
    }
    bytes_ += Cost(call);
    calls_.push_back(std::move(call));
    while (!calls_.empty() && (calls_.size() > maxCalls_ || bytes_ > maxBytes_)) {
        bytes_ -= Cost(calls_.front());
        calls_.pop_front();
        ++dropped_;
    }
}

AnswerForm AnswerFormOf(const RecordedCall& call) {
    switch (call.ordinal) {
        case kelvar::OrdinalOf("rf_sam_cos"):
        case kelvar::OrdinalOf("smartcard_cos"):
            return AnswerForm::StatusWord;
        case kelvar::OrdinalOf("rf_cos_command"):
            return call.cardType == kCodeDesfire ? AnswerForm::DesfireNative : AnswerForm::StatusWord;
        case kelvar::OrdinalOf("rf_transceive1"):
            return call.rfMode == kModeIso15693 ? AnswerForm::Iso15693 : AnswerForm::None;
        default:
            return AnswerForm::None;
    }
}

std::span<const uint8_t> AnswerOf(const RecordedCall& call) {
    for (size_t i = 0; i < call.arguments.size(); ++i) {
        if (call.arguments[i].kind == Kind::Out) return call.Out(i);
    }
    return {};
}

}  // namespace journal
