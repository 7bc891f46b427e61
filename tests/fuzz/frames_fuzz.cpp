// Bytes from a peer in any cutting: the frame decoder, then the payloads as
// requests served and as answers decoded for every function of the list.
// Nothing may be read or written outside the buffers, a frame longer than
// the limit never kept, and a malformed answer never taken for success.
#include <array>
#include <vector>

#include "fuzz_input.h"
#include "kelvar/kelvar_functions.h"
#include "kelvar/net/frame.h"
#include "kelvar/net/marshal.h"
#include "kelvar/net/reader_service.h"

namespace {

using namespace kelvar;
using namespace kelvar::net;

// Serves with a function that writes every out-buffer to its size before
// the call (as a reader may) and succeeds.
template <int Ordinal, typename... A>
bool ServeEach(WireReader& in, WireWriter& out, void (*)(A...)) {
    return Marshal<Ordinal, void(A...)>::Serve(in, out, [](A...) { return int32_t(kOk); });
}

bool ServeAny(uint16_t ordinal, WireReader& in, WireWriter& out) {
    switch (ordinal) {
#define KELVAR_FUZZ_SERVE(ordinal, member, reported, required, params) \
    case ordinal: return ServeEach<ordinal>(in, out, static_cast<void(*) params>(nullptr));
        KELVAR_FUNCTIONS(KELVAR_FUZZ_SERVE)
#undef KELVAR_FUZZ_SERVE
        default: return false;
    }
}

template <int Ordinal, typename... A>
void DecodeAs(const std::vector<uint8_t>& payload, void (*)(A...)) {
    std::array<std::array<uint8_t, 1024>, sizeof...(A) + 1> buffers{};
    size_t i = 0;
    auto make = [&]<typename T>(T*) {
        const size_t at = i++;
        if constexpr (std::is_pointer_v<T>) return reinterpret_cast<T>(buffers[at].data());
        else return T(8);
    };
    std::tuple<A...> args{make(static_cast<A*>(nullptr))...};
    WireReader in(payload);
    const int32_t status = std::apply([&](A... a) { return Marshal<Ordinal, void(A...)>::DecodeAnswer(in, a...); }, args);
    // Success only for a payload read to its end.
    if (status == kOk) FUZZ_CHECK(payload.size() >= 4);
}

void DecodeAsEveryAnswer(const std::vector<uint8_t>& payload) {
#define KELVAR_FUZZ_DECODE(ordinal, member, reported, required, params) \
    DecodeAs<ordinal>(payload, static_cast<void(*) params>(nullptr));
    KELVAR_FUNCTIONS(KELVAR_FUZZ_DECODE)
#undef KELVAR_FUZZ_DECODE
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    FrameDecoder decoder;
    const Service service{ServeAny};
    ServiceState state;
    ServedConnection served(service, state);
    bool serving = true;
    while (!input.Empty()) {
        const std::vector<uint8_t> chunk = input.Take(1 + input.Byte() % 64);
        decoder.Feed(chunk);
        FUZZ_CHECK(decoder.Pending() <= kFrameHeaderSize + kMaxPayload + 64);
        Frame frame;
        while (decoder.Next(frame) == FrameDecoder::Result::kFrame) {
            FUZZ_CHECK(frame.payload.size() <= kMaxPayload);
            DecodeAsEveryAnswer(frame.payload);
        }
        if (serving) {
            std::vector<uint8_t> reply;
            std::string note;
            serving = served.OnBytes(chunk, reply, note);
        }
    }
    return 0;
}
