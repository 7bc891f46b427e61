// The library's exports in any order with any arguments: null pointers,
// zero-filled or random buffers, any numbers. Each input starts with a fresh
// reader whose images stay in memory.
#include <memory>
#include <tuple>
#include <type_traits>
#include <vector>

#include "fuzz_input.h"
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"
#include "kelvar/reader/reader_config.h"

namespace kelvar::api {

namespace {
std::unique_ptr<VirtualReader> reader;
}

VirtualReader& Reader() { return *reader; }

}  // namespace kelvar::api

namespace {

using namespace kelvar;

// Large enough for any answer a length byte can describe.
constexpr size_t kBufferSize = 256;

template <typename T>
T Argument(FuzzInput& in, std::vector<std::vector<uint8_t>>& buffers) {
    if constexpr (std::is_pointer_v<T>) {
        const uint8_t how = in.Byte();
        if ((how & 3) == 0) return nullptr;
        buffers.push_back((how & 3) == 1 ? std::vector<uint8_t>(kBufferSize) : in.Take(kBufferSize));
        return reinterpret_cast<T>(buffers.back().data());
    } else {
        return static_cast<T>(in.Byte() & 0x80 ? in.U32() : in.Byte());
    }
}

template <typename... Args>
int32_t CallWith(int32_t (*function)(Args...), FuzzInput& in) {
    std::vector<std::vector<uint8_t>> buffers;
    buffers.reserve(sizeof...(Args));
    // Braced initialisation draws the arguments from left to right.
    std::tuple<Args...> arguments{Argument<Args>(in, buffers)...};
    return std::apply(function, arguments);
}

using Caller = int32_t (*)(FuzzInput&);
constexpr Caller kCallers[] = {
#define KELVAR_FUZZ_CALLER(ordinal, member, reported, required, params) \
    [](FuzzInput& in) { return CallWith(&member, in); },
    KELVAR_FUNCTIONS(KELVAR_FUZZ_CALLER)
#undef KELVAR_FUZZ_CALLER
};
constexpr size_t kCallerCount = sizeof kCallers / sizeof kCallers[0];

bool Documented(int32_t status) { return (status >= kOk && status <= kBadClock) || (status >= kNoCard && status <= kBadFrameCrc); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FieldConfig config;
    config.field = DefaultFieldOrder();
    uint8_t counter = 0;
    kelvar::api::reader = std::make_unique<VirtualReader>(
        config, [] { return CivilTime{2024, 6, 15, 10, 20, 30}; },
        [&counter](std::span<uint8_t> out) {
            for (auto& b : out) b = counter++;
        });
    // Most runs start connected, so that the cards are reached.
    if (in.Byte() & 1) {
        const uint16_t builtIn[4] = {0, 0, 0, 0};
        FUZZ_CHECK(rf_init_com(0, builtIn) == kOk);
    }
    while (!in.Empty()) {
        const int32_t status = kCallers[in.Byte() % kCallerCount](in);
        FUZZ_CHECK(Documented(status));
    }
    kelvar::api::reader.reset();
    return 0;
}
