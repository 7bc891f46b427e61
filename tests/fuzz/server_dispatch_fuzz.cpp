// Requests as the reader server takes them, served from a reader: well-formed
// ones with any argument values (buffers of exactly the table's sizes on the
// calling side), and any bytes. Our own answer to our own well-formed request
// always decodes; nothing is read or written outside a buffer.
#include <memory>

#include "call_sources.h"
#include "function_table.h"
#include "kelvar/net/wire.h"
#include "kelvar/server/served_functions.h"
#include "twin_readers.h"

namespace kelvar::api {

VirtualReader& Reader() { return *fuzzing::tReader; }

}  // namespace kelvar::api

using namespace fuzzing;
using namespace kelvar::net;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::unique_ptr<kelvar::VirtualReader> reader = MakeTestReader();
    tReader = reader.get();
    while (!in.Empty()) {
        if (in.Byte() & 0x10) {
            // Any payload: ordinal and bytes.
            const uint8_t low = in.Byte();
            const uint16_t ordinal = uint16_t(low | in.Byte() << 8);
            const std::vector<uint8_t> bytes = in.Take(in.Byte());
            WireReader request(bytes);
            std::vector<uint8_t> answer;
            WireWriter out(answer);
            kelvar::server::ServeLocalCall(ordinal, request, out);
            continue;
        }
        VisitFunction(in.Byte(), [&]<int Ordinal, typename... A>(const char*, int32_t (*)(A...)) {
            using M = Marshal<Ordinal, void(A...)>;
            InputSource source(Ordinal, in);
            const TableCall<Ordinal, void(A...)> call(source);
            std::vector<uint8_t> request;
            WireWriter requestOut(request);
            TableCall<Ordinal, void(A...)> sent(call);
            if (!sent.Apply([&](A... a) { return M::EncodeRequest(requestOut, a...); })) return;
            WireReader requestIn(request);
            FUZZ_CHECK(requestIn.Scalar<uint16_t>() == Ordinal);
            std::vector<uint8_t> answer;
            WireWriter answerOut(answer);
            FUZZ_CHECK(kelvar::server::ServeLocalCall(uint16_t(Ordinal), requestIn, answerOut));
            WireReader answerIn(answer);
            TableCall<Ordinal, void(A...)> received(call);
            FUZZ_CHECK(received.Apply([&](A... a) { return M::DecodeAnswer(answerIn, a...); }) != kelvar::kBadAnswer);
        });
    }
    return 0;
}
