// The calls of the function list as request and answer payloads, generated
// from the argument types and the buffer table of kelvar_functions.h.
//
// Request: ordinal (16 bits); every scalar argument in order, in its own
// size; then every pointer argument in order: 1 byte present (0 = null), and
// for a present in or in-out buffer its size (32 bits) and bytes.
// Answer: status (32 bits); when it is 0, for every present out or in-out
// buffer in order its size (32 bits) and bytes. A failed call brings no
// buffers back, so the caller's stay as they were.
//
// An Arg size above its row's largest is "bad argument" on both ends, and the
// serving end gives the function buffers of the row's largest size (Fixed: its
// size; Reported: kReportedCapacity), never of a size a client chose.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "kelvar/buffer_rules.h"
#include "kelvar/net/wire.h"
#include "kelvar/status.h"

namespace kelvar::net {

// Bound of every row's largest size.
inline constexpr size_t kMaxBufferBytes = 64 * 1024;
// What the serving side reserves for a Reported out-buffer (callers reserve
// 1024 bytes; a length byte describes at most 255).
inline constexpr size_t kReportedCapacity = 1024;

// Calls f(std::integral_constant<size_t, I>()) for I = 0 .. N-1 in order.
template <size_t N, typename F>
void ForEachIndex(F&& f) {
    [&]<size_t... I>(std::index_sequence<I...>) { (f(std::integral_constant<size_t, I>()), ...); }(
        std::make_index_sequence<N>());
}

template <int Ordinal, typename Signature>
struct Marshal;

template <int Ordinal, typename... A>
struct Marshal<Ordinal, void(A...)> {
    static constexpr size_t kCount = sizeof...(A);
    using Args = std::tuple<A...>;
    template <size_t I>
    using Arg = std::tuple_element_t<I, Args>;
    template <size_t I>
    static constexpr bool kPointer = std::is_pointer_v<Arg<I>>;

    // The largest value each scalar argument's type holds (0 for pointers).
    template <typename T>
    static constexpr uint64_t TypeMax() {
        if constexpr (std::is_pointer_v<T>) {
            return 0;
        } else {
            return std::numeric_limits<std::make_unsigned_t<T>>::max();
        }
    }
    static constexpr std::array<uint64_t, kCount + 1> kTypeMax{TypeMax<A>()..., 0};

    static constexpr bool RulesMatch() {
        bool match = true;
        [&]<size_t... I>(std::index_sequence<I...>) {
            ((match = match && RuleCount(Ordinal, int(I)) == (kPointer<I> ? 1 : 0)), ...);
        }(std::make_index_sequence<kCount>());
        for (const BufferRule& rule : kBufferRules) {
            if (rule.ordinal != Ordinal) continue;
            if (rule.position < 0 || size_t(rule.position) >= kCount) match = false;
            // An Arg size names a scalar argument and a largest size its type can hold.
            if (rule.kind == SizeKind::Arg &&
                (rule.value < 0 || size_t(rule.value) >= kCount || RuleCount(Ordinal, rule.value) != 0 ||
                 rule.largest <= 0 || size_t(rule.largest) > kMaxBufferBytes ||
                 uint64_t(rule.largest) > kTypeMax[size_t(rule.value)])) {
                match = false;
            }
            if (rule.kind != SizeKind::Arg && rule.largest != 0) match = false;
            if (rule.kind == SizeKind::Reported && RuleCount(Ordinal, rule.value) != 1) match = false;
        }
        return match;
    }
    static_assert(RulesMatch(), "every pointer argument needs exactly one row in KELVAR_BUFFERS, "
                                "an Arg row its largest size");

    using Values = std::array<uint64_t, kCount + 1>;

    template <typename T>
    static uint64_t ValueOf(T value) {
        if constexpr (std::is_pointer_v<T>) {
            return 0;
        } else {
            return static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(value));
        }
    }

    static Values ScalarValues(const A&... args) { return {ValueOf(args)..., 0}; }

    // The size known before the call (Fixed and Arg), or the capacity kept
    // for a Reported buffer.
    static uint64_t SizeBefore(const BufferRule& rule, const Values& values) {
        switch (rule.kind) {
            case SizeKind::Fixed: return uint64_t(rule.value);
            case SizeKind::Arg: return values[size_t(rule.value)];
            case SizeKind::Reported: return kReportedCapacity;
        }
        return 0;
    }

    // What the serving end reserves: never less than the call may fill.
    static constexpr size_t Capacity(const BufferRule& rule) {
        switch (rule.kind) {
            case SizeKind::Fixed: return size_t(rule.value);
            case SizeKind::Arg: return size_t(rule.largest);
            case SizeKind::Reported: return kReportedCapacity;
        }
        return 0;
    }

    // Whether an Arg size of the call passes its row's largest.
    static bool Oversized(const Values& values) {
        for (const BufferRule& rule : kBufferRules) {
            if (rule.ordinal == Ordinal && rule.kind == SizeKind::Arg &&
                values[size_t(rule.value)] > uint64_t(rule.largest)) {
                return true;
            }
        }
        return false;
    }

    static bool Carried(Direction d, bool in) { return in ? d != Direction::Out : d != Direction::In; }

    // False when an Arg size passes its row's largest.
    static bool EncodeRequest(WireWriter& out, A... args) {
        const Values values = ScalarValues(args...);
        if (Oversized(values)) return false;
        out.Scalar(static_cast<uint16_t>(Ordinal));
        const Args tuple{args...};
        ForEachIndex<kCount>([&]<size_t I>(std::integral_constant<size_t, I>) {
            if constexpr (!kPointer<I>) out.Scalar(std::get<I>(tuple));
        });
        auto pointer = [&]<size_t I>(std::integral_constant<size_t, I>) {
            if constexpr (kPointer<I>) {
                const auto value = std::get<I>(tuple);
                out.Scalar<uint8_t>(value != nullptr);
                constexpr BufferRule rule = RuleOf(Ordinal, int(I));
                if (value == nullptr || !Carried(rule.direction, true)) return;
                const uint64_t size = SizeBefore(rule, values);
                out.Scalar(static_cast<uint32_t>(size));
                out.Bytes(reinterpret_cast<const uint8_t*>(value), size_t(size));
            }
        };
        ForEachIndex<kCount>(pointer);
        return true;
    }

    // Decodes a request (after its ordinal), calls `function` and writes the
    // answer. False, with nothing called, for a malformed request.
    template <typename Function>
    static bool Serve(WireReader& in, WireWriter& out, Function&& function) {
        Args args{};
        std::array<std::vector<uint8_t>, kCount + 1> storage;
        std::array<bool, kCount + 1> present{};
        auto scalar = [&]<size_t I>(std::integral_constant<size_t, I>) {
            if constexpr (!kPointer<I>) std::get<I>(args) = in.template Scalar<Arg<I>>();
        };
        ForEachIndex<kCount>(scalar);
        const Values values = std::apply([](const A&... a) { return ScalarValues(a...); }, args);
        const bool oversized = Oversized(values);
        bool ok = in.Ok();
        auto pointer = [&]<size_t I>(std::integral_constant<size_t, I>) {
            if constexpr (kPointer<I>) {
                present[I] = in.template Scalar<uint8_t>() != 0;
                if (!ok || !in.Ok() || !present[I]) return;
                constexpr BufferRule rule = RuleOf(Ordinal, int(I));
                const uint64_t size = SizeBefore(rule, values);
                // At least one byte: a zero-sized buffer still gets a valid address.
                storage[I].assign(std::max<size_t>(Capacity(rule), 1), 0);
                if (Carried(rule.direction, true)) {
                    const uint8_t* bytes = in.Bytes(in.template Scalar<uint32_t>() == size ? size_t(size) : kMaxPayloadGuard);
                    if (bytes == nullptr) {
                        ok = false;
                        return;
                    }
                    if (!oversized) std::copy(bytes, bytes + size, storage[I].begin());
                }
                std::get<I>(args) = reinterpret_cast<Arg<I>>(storage[I].data());
            }
        };
        ForEachIndex<kCount>(pointer);
        if (!ok || !in.AtEnd()) return false;

        const int32_t status = oversized ? int32_t(kBadArgument) : std::apply(function, args);
        out.Scalar(status);
        if (status != kOk) return true;
        auto answer = [&]<size_t I>(std::integral_constant<size_t, I>) {
            if constexpr (kPointer<I>) {
                constexpr BufferRule rule = RuleOf(Ordinal, int(I));
                if (!present[I] || !Carried(rule.direction, false)) return;
                size_t size = rule.kind == SizeKind::Reported ? 0 : size_t(SizeBefore(rule, values));
                if (rule.kind == SizeKind::Reported) {
                    const size_t at = size_t(rule.value);
                    size = present[at] ? std::min<size_t>(storage[at][0], Capacity(rule)) : 0;
                }
                out.Scalar(static_cast<uint32_t>(size));
                out.Bytes(storage[I].data(), size);
            }
        };
        ForEachIndex<kCount>(answer);
        return true;
    }

    // The status of an answer, its out-buffers written to the caller's only
    // when the whole answer is well formed; else kBadAnswer and nothing written.
    static int32_t DecodeAnswer(WireReader& in, A... args) {
        const int32_t status = in.template Scalar<int32_t>();
        if (!in.Ok()) return kBadAnswer;
        if (status != kOk) return in.AtEnd() ? status : kBadAnswer;
        const Values values = ScalarValues(args...);
        std::array<const uint8_t*, kCount + 1> bytes{};
        std::array<size_t, kCount + 1> sizes{};
        bool ok = true;
        const Args tuple{args...};
        auto take = [&]<size_t I>(std::integral_constant<size_t, I>) {
            if constexpr (kPointer<I>) {
                const auto value = std::get<I>(tuple);
                constexpr BufferRule rule = RuleOf(Ordinal, int(I));
                if (value == nullptr || !Carried(rule.direction, false)) return;
                const uint32_t size = in.template Scalar<uint32_t>();
                const uint64_t limit = rule.kind == SizeKind::Reported ? 255 : SizeBefore(rule, values);
                if (!in.Ok() || size > limit || (rule.kind != SizeKind::Reported && size != limit)) {
                    ok = false;
                    return;
                }
                bytes[I] = in.Bytes(size);
                sizes[I] = size;
                ok = ok && bytes[I] != nullptr;
            }
        };
        ForEachIndex<kCount>(take);
        if (!ok || !in.AtEnd()) return kBadAnswer;
        // A Reported buffer holds exactly what its length byte says.
        for (size_t i = 0; i < kCount; ++i) {
            const BufferRule rule = RuleOf(Ordinal, int(i));
            if (RuleCount(Ordinal, int(i)) == 0 || rule.kind != SizeKind::Reported || bytes[i] == nullptr) continue;
            const size_t at = size_t(rule.value);
            const size_t reported = bytes[at] != nullptr && sizes[at] == 1 ? bytes[at][0] : 0;
            if (sizes[i] != reported) return kBadAnswer;
        }
        auto give = [&]<size_t I>(std::integral_constant<size_t, I>) {
            if constexpr (kPointer<I> && !std::is_const_v<std::remove_pointer_t<Arg<I>>>) {
                if (bytes[I] != nullptr) {
                    std::copy(bytes[I], bytes[I] + sizes[I], reinterpret_cast<uint8_t*>(std::get<I>(tuple)));
                }
            }
        };
        ForEachIndex<kCount>(give);
        return kOk;
    }

private:
    // Larger than any payload: makes WireReader::Bytes fail.
    static constexpr size_t kMaxPayloadGuard = size_t(-1);
};

}  // namespace kelvar::net
