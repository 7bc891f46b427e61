// The library's exports in any order with any arguments: null pointers,
// buffers of exactly the buffer table's sizes, any numbers. Each input starts
// with a fresh reader whose images stay in memory.
#include <memory>

#include "call_sources.h"
#include "function_table.h"
#include "table_call.h"
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
        fuzzing::VisitFunction(in.Byte(), [&]<int Ordinal, typename... A>(const char*, int32_t (*function)(A...)) {
            fuzzing::InputSource source(Ordinal, in);
            fuzzing::TableCall<Ordinal, void(A...)> call(source);
            FUZZ_CHECK(Documented(call.Apply(function)));
        });
    }
    kelvar::api::reader.reset();
    return 0;
}
