// Calls in any order with arguments from the input, each on a reader of its
// own and through the reader server (in memory) on another reader of the
// same configuration: statuses and out-buffers must agree.
#include "call_sources.h"
#include "function_table.h"
#include "twin_readers.h"

namespace kelvar::api {

VirtualReader& Reader() { return *fuzzing::tReader; }

}  // namespace kelvar::api

using namespace fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    TwinReaders twins(TwinReaders::Transport::kInMemory);
    FUZZ_CHECK(twins.Connected());
    while (!in.Empty()) {
        VisitFunction(in.Byte(), [&]<int Ordinal, typename... A>(const char*, int32_t (*function)(A...)) {
            if constexpr (Carried(Ordinal)) {
                InputSource source(Ordinal, in);
                const TableCall<Ordinal, void(A...)> call(source);
                FUZZ_CHECK(twins.Compare(call, function).empty());
            }
        });
    }
    return 0;
}
