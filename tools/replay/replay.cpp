#include "tools/replay/replay.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>

#include "kelvar/api/exports.h"
#include "kelvar/buffer_rules.h"
#include "kelvar/net/address_rule.h"
#include "kelvar/net/tcp.h"
#include "vantrel/reader/call_observer.h"
#include "vantrel/toolkit/status_hints.h"
#include "vantrel/toolkit/utf8_text.h"

namespace replay {

namespace {

using journal::JournalArgument;
using journal::JournalBytes;
using journal::JournalCall;

// Every buffer is at least this big, as the program's are.
constexpr size_t kSmallestBuffer = 1024;

// One argument as the call passes it.
struct Slot {
    bool null = false;
    int64_t value = 0;
    std::vector<uint8_t> buffer;
};

template <typename T>
bool Fits(const Slot& slot) {
    if constexpr (std::is_pointer_v<T>) {
        return true;
    } else {
        return slot.value >= static_cast<int64_t>(std::numeric_limits<T>::min()) &&
               slot.value <= static_cast<int64_t>(std::numeric_limits<T>::max());
    }
}

template <typename T>
T Pass(Slot& slot) {
    if constexpr (std::is_pointer_v<T>) {
        return slot.null ? nullptr : reinterpret_cast<T>(slot.buffer.data());
    } else {
        return static_cast<T>(slot.value);
    }
}

// What the observer saw of the call just made.
struct Seen : ReaderObserver {
    void OnCall(const ObservedCall& call) override {
        status = call.status;
        outs.clear();
        for (const ObservedArgument& argument : call.arguments) outs.emplace_back(argument.out.begin(), argument.out.end());
    }
    int32_t status = 0;
    std::vector<std::vector<uint8_t>> outs;
};

template <int Ordinal, typename Signature>
struct Typed;

template <int Ordinal, typename... A>
struct Typed<Ordinal, void(A...)> {
    static constexpr size_t kCount = sizeof...(A);

    // False when a scalar does not fit its parameter.
    template <auto Local>
    static bool Run(kelvar::net::RemoteReader* remote, std::vector<Slot>& slots, Seen& seen) {
        return RunWith<Local>(remote, slots, seen, std::index_sequence_for<A...>{});
    }

    template <auto Local, size_t... I>
    static bool RunWith(kelvar::net::RemoteReader* remote, std::vector<Slot>& slots, Seen& seen,
                        std::index_sequence<I...>) {
        if (slots.size() != kCount || !(true && ... && Fits<A>(slots[I]))) return false;
        std::tuple<A...> args{Pass<A>(slots[I])...};
        const std::array<PassedArgument, kCount> passed{PassedArgument::Of(std::get<I>(args))...};
        CallRecorder record(Ordinal, L"", passed);
        const int32_t status = remote != nullptr ? remote->Call<Ordinal, void(A...)>(std::get<I>(args)...)
                                                 : Local(std::get<I>(args)...);
        record.Finish(status, seen);
        return true;
    }
};

using Runner = bool (*)(kelvar::net::RemoteReader*, std::vector<Slot>&, Seen&);

struct Row {
    int ordinal;
    Runner run;
};

constexpr Row kRows[] = {
#define REPLAY_ROW(ordinal, member, reported, required, params) \
    {ordinal, &Typed<ordinal, void params>::template Run<&member>},
    KELVAR_FUNCTIONS(REPLAY_ROW)
#undef REPLAY_ROW
};

Runner RunnerOf(int ordinal) {
    for (const Row& row : kRows) {
        if (row.ordinal == ordinal) return row.run;
    }
    return nullptr;
}

class BuiltIn : public Target {
public:
    int32_t Connect() override {
        static constexpr uint16_t kBuiltIn[4] = {0, 0, 0, 0};
        return rf_init_com(0, kBuiltIn);
    }
    void Disconnect() override { close_connection(); }
    kelvar::net::RemoteReader* Remote() override { return nullptr; }
};

class Server : public Target {
public:
    Server(const uint16_t address[4], uint16_t port) : port_(port) {
        for (int i = 0; i < 4; ++i) address_[i] = address[i];
    }
    int32_t Connect() override {
        remote_.Close();
        const char* only = std::getenv(std::string(kelvar::net::kLoopbackOnlyVariable).c_str());
        if (!kelvar::net::AddressAllowed(address_, only != nullptr && kelvar::net::LoopbackOnlyValue(only))) {
            return kelvar::kConnectFailed;
        }
        auto stream = kelvar::net::TcpStream::Connect(address_, port_, kelvar::net::kConnectTimeoutMs);
        if (stream == nullptr) return kelvar::kConnectFailed;
        return remote_.Open(std::move(stream));
    }
    void Disconnect() override { remote_.Close(); }
    kelvar::net::RemoteReader* Remote() override { return &remote_; }

private:
    uint16_t address_[4] = {};
    uint16_t port_;
    kelvar::net::RemoteReader remote_;
};

std::string StatusText(int32_t status) {
    char code[16];
    std::snprintf(code, sizeof code, "%x", static_cast<unsigned>(status));
    return std::string(code) + " (" + Utf8(StatusHint(status, kLanguageEnglish)) + ")";
}

std::string CallName(const JournalCall& call) {
    return "line " + std::to_string(call.line) + ", call " + std::to_string(call.sequence) + " " + call.function;
}

bool SameBytes(std::span<const uint8_t> replayed, const JournalBytes& saved) {
    if (replayed.size() != saved.bytes.size()) return false;
    for (size_t i = 0; i < replayed.size(); ++i) {
        const bool masked = i < saved.masked.size() && saved.masked[i];
        if (!masked && replayed[i] != saved.bytes[i]) return false;
    }
    return true;
}

// The call's arguments as slots, or a reason it cannot be made.
std::optional<std::string> SlotsOf(const JournalCall& call, std::vector<Slot>& slots) {
    slots.assign(call.arguments.size(), Slot{});
    for (size_t i = 0; i < call.arguments.size(); ++i) {
        const JournalArgument& argument = call.arguments[i];
        Slot& slot = slots[i];
        slot.value = argument.value;
        if (!argument.pointer) continue;
        slot.null = argument.null;
        if (argument.null) continue;
        if (argument.in && argument.in->AnyMasked()) return "its key bytes are masked in the journal";
        const kelvar::BufferRule rule = kelvar::RuleOf(call.ordinal, static_cast<int>(i));
        size_t size = kSmallestBuffer;
        if (rule.kind == kelvar::SizeKind::Fixed) size = std::max(size, static_cast<size_t>(rule.value));
        if (rule.kind == kelvar::SizeKind::Arg) {
            const int64_t wanted = call.arguments[static_cast<size_t>(rule.value)].value;
            if (wanted < 0 || static_cast<uint64_t>(wanted) > journal::kLongestBuffer) {
                return "a buffer size out of range";
            }
            size = std::max(size, static_cast<size_t>(wanted));
        }
        slot.buffer.assign(size, 0);
        if (argument.in) std::copy(argument.in->bytes.begin(), argument.in->bytes.end(), slot.buffer.begin());
    }
    return std::nullopt;
}

// Compares one call made again with the journal's record of it.
void Compare(const JournalCall& call, const Seen& seen, Outcome& outcome) {
    std::vector<std::string> found;
    if (seen.status != call.status) {
        found.push_back("  status " + StatusText(seen.status) + ", the journal has " + StatusText(call.status));
    } else if (call.status == 0) {
        for (size_t i = 0; i < call.arguments.size() && i < seen.outs.size(); ++i) {
            const std::optional<JournalBytes>& saved = call.arguments[i].out;
            if (!saved || SameBytes(seen.outs[i], *saved)) continue;
            const std::string name = journal::FindFunction(call.ordinal)->arguments[i].name;
            found.push_back("  " + name + " answered " + journal::MaskedHex(seen.outs[i], {}) + "\n  " +
                            std::string(name.size(), ' ') + " journal  " +
                            journal::MaskedHex(saved->bytes, saved->masked));
        }
    }
    if (found.empty()) return;
    ++outcome.differing;
    outcome.lines.push_back(CallName(call) + " differs:");
    for (std::string& line : found) outcome.lines.push_back(std::move(line));
}

}  // namespace

std::unique_ptr<Target> BuiltInTarget() { return std::make_unique<BuiltIn>(); }

std::unique_ptr<Target> ServerTarget(const uint16_t address[4], uint16_t port) {
    return std::make_unique<Server>(address, port);
}

Outcome Replay(const journal::ParsedJournal& journal, Target& target) {
    Outcome outcome;
    // A journal whose first calls were dropped still starts connected.
    outcome.connectStatus = target.Connect();
    if (outcome.connectStatus != kelvar::kOk) return outcome;
    for (const JournalCall& call : journal.calls) {
        Seen seen;
        if (call.ordinal == kelvar::kOpenOrdinal) {
            seen.status = target.Connect();
        } else if (call.ordinal == kelvar::kCloseOrdinal) {
            target.Disconnect();
            seen.status = 0;
        } else {
            std::vector<Slot> slots;
            std::optional<std::string> reason = SlotsOf(call, slots);
            const Runner run = RunnerOf(call.ordinal);
            if (!reason && (run == nullptr || !run(target.Remote(), slots, seen))) {
                reason = "an argument the function cannot take";
            }
            if (reason) {
                ++outcome.notReplayed;
                outcome.lines.push_back(CallName(call) + " not replayed: " + *reason);
                continue;
            }
        }
        ++outcome.replayed;
        Compare(call, seen, outcome);
    }
    target.Disconnect();
    return outcome;
}

}  // namespace replay
