// One call of the function list with its arguments drawn from a source and
// every present pointer a heap buffer of exactly the size its row of the
// buffer table gives: the sanitizers then see any byte used past it. A
// Reported buffer holds the 255 bytes a length byte can describe; an Arg size
// above its row's largest gets only the largest (the call must refuse it).
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <tuple>
#include <type_traits>

#include "kelvar/net/marshal.h"

namespace fuzzing {

inline constexpr size_t kReportedBytes = 255;

template <int Ordinal, typename Signature>
class TableCall;

template <int Ordinal, typename... A>
class TableCall<Ordinal, void(A...)> {
public:
    using M = kelvar::net::Marshal<Ordinal, void(A...)>;
    static constexpr size_t kCount = sizeof...(A);

    // `source` gives Scalar(position, largest value of its type),
    // Present(position) for a pointer, and Fill(in, bytes, size) the contents
    // of an in (or in-out) buffer or of an out-buffer.
    template <typename Source>
    explicit TableCall(Source& source) {
        kelvar::net::ForEachIndex<kCount>([&]<size_t I>(std::integral_constant<size_t, I>) {
            if constexpr (!M::template kPointer<I>) {
                std::get<I>(args_) = static_cast<typename M::template Arg<I>>(source.Scalar(I, M::kTypeMax[I]));
            }
        });
        const auto values = Values();
        kelvar::net::ForEachIndex<kCount>([&]<size_t I>(std::integral_constant<size_t, I>) {
            if constexpr (M::template kPointer<I>) {
                if (!source.Present(I)) return;
                constexpr kelvar::BufferRule rule = kelvar::RuleOf(Ordinal, int(I));
                sizes_[I] = rule.kind == kelvar::SizeKind::Reported ? kReportedBytes
                            : rule.kind == kelvar::SizeKind::Arg
                                ? size_t(std::min<uint64_t>(M::SizeBefore(rule, values), uint64_t(rule.largest)))
                                : size_t(rule.value);
                buffers_[I].reset(new uint8_t[sizes_[I]]);
                source.Fill(rule.direction != kelvar::Direction::Out, buffers_[I].get(), sizes_[I]);
            }
        });
        Point();
    }

    TableCall(const TableCall& other) : args_(other.args_), sizes_(other.sizes_) {
        for (size_t i = 0; i < kCount; ++i) {
            if (other.buffers_[i] == nullptr) continue;
            buffers_[i].reset(new uint8_t[sizes_[i]]);
            std::copy_n(other.buffers_[i].get(), sizes_[i], buffers_[i].get());
        }
        Point();
    }
    TableCall& operator=(const TableCall&) = delete;

    template <typename Function>
    int32_t Apply(Function&& function) {
        return std::apply(std::forward<Function>(function), args_);
    }
    const std::tuple<A...>& Args() const { return args_; }
    typename M::Values Values() const { return std::apply([](const A&... a) { return M::ScalarValues(a...); }, args_); }
    const uint8_t* Buffer(size_t position) const { return buffers_[position].get(); }
    size_t Size(size_t position) const { return sizes_[position]; }

private:
    void Point() {
        kelvar::net::ForEachIndex<kCount>([&]<size_t I>(std::integral_constant<size_t, I>) {
            if constexpr (M::template kPointer<I>) {
                std::get<I>(args_) = reinterpret_cast<typename M::template Arg<I>>(buffers_[I].get());
            }
        });
    }

    std::tuple<A...> args_{};
    std::array<std::unique_ptr<uint8_t[]>, kCount + 1> buffers_;
    std::array<size_t, kCount + 1> sizes_{};
};

}  // namespace fuzzing
