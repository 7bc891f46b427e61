// Every function of the list carried through request and answer payloads to
// a probe that reads every in-buffer and writes every out-buffer: the caller
// must see exactly what a direct call gives.
#include "kelvar/net/marshal.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

namespace {

using namespace kelvar;
using namespace kelvar::net;

constexpr size_t kBufferSize = 1024;

template <typename T>
const void* PointerOf(T value) {
    if constexpr (std::is_pointer_v<T>) return value;
    else return nullptr;
}

// Out-buffers get bytes drawn from the ordinal, the scalars and every
// in-buffer; Reported buffers say how many through their length byte.
template <int Ordinal, typename... A>
int32_t Probe(int32_t status, A... args) {
    using M = Marshal<Ordinal, void(A...)>;
    const auto values = M::ScalarValues(args...);
    uint32_t seed = uint32_t(Ordinal) * 2654435761u;
    for (const uint64_t v : values) seed = seed * 31 + uint32_t(v);
    const std::array<const void*, sizeof...(A) + 1> pointers{PointerOf(args)..., nullptr};
    for (size_t p = 0; p < sizeof...(A); ++p) {
        if (RuleCount(Ordinal, int(p)) == 0 || pointers[p] == nullptr) continue;
        const BufferRule rule = RuleOf(Ordinal, int(p));
        if (rule.direction == Direction::Out) continue;
        const uint64_t size = rule.kind == SizeKind::Arg ? values[size_t(rule.value)] : uint64_t(rule.value);
        for (size_t b = 0; b < size; ++b) seed = seed * 31 + static_cast<const uint8_t*>(pointers[p])[b];
    }
    for (int pass = 0; pass < 2; ++pass) {  // Reported buffers last: they set their length byte
        for (size_t p = 0; p < sizeof...(A); ++p) {
            if (RuleCount(Ordinal, int(p)) == 0 || pointers[p] == nullptr) continue;
            const BufferRule rule = RuleOf(Ordinal, int(p));
            if (rule.direction == Direction::In || (rule.kind == SizeKind::Reported) != (pass == 1)) continue;
            auto* out = const_cast<uint8_t*>(static_cast<const uint8_t*>(pointers[p]));
            size_t size = rule.kind == SizeKind::Fixed ? size_t(rule.value)
                          : rule.kind == SizeKind::Arg ? size_t(values[size_t(rule.value)])
                                                       : 1 + seed % 200;
            if (rule.kind == SizeKind::Reported) {
                auto* length = const_cast<uint8_t*>(static_cast<const uint8_t*>(pointers[size_t(rule.value)]));
                if (length == nullptr) continue;
                *length = static_cast<uint8_t>(size);
            }
            for (size_t b = 0; b < size; ++b) out[b] = static_cast<uint8_t>(seed >> (b % 24)) ^ uint8_t(b);
        }
    }
    return status;
}

// Arguments of one call: scalars of 16 (sizes stay small), buffers of
// kBufferSize bytes with a pattern, one copy for each way of calling.
template <typename... A>
struct CallArguments {
    std::array<std::vector<uint8_t>, sizeof...(A) + 1> buffers;
    std::tuple<A...> args;

    CallArguments() { Fill(std::index_sequence_for<A...>()); }
    CallArguments(const CallArguments& other) : buffers(other.buffers) { Point(std::index_sequence_for<A...>()); }

    template <size_t... I>
    void Fill(std::index_sequence<I...>) {
        ((std::is_pointer_v<A> ? Pattern(I) : void()), ...);
        Point(std::index_sequence<I...>());
    }
    void Pattern(size_t i) {
        buffers[i].resize(kBufferSize);
        for (size_t b = 0; b < kBufferSize; ++b) buffers[i][b] = static_cast<uint8_t>(i * 7 + b);
    }
    template <size_t... I>
    void Point(std::index_sequence<I...>) {
        args = std::tuple<A...>{Value<A>(I)...};
    }
    template <typename T>
    T Value(size_t i) {
        if constexpr (std::is_pointer_v<T>) return reinterpret_cast<T>(buffers[i].data());
        else return static_cast<T>(16);
    }
};

template <int Ordinal, typename... A>
void CheckRoundTrip(void (*)(A...), int32_t status) {
    using M = Marshal<Ordinal, void(A...)>;
    CallArguments<A...> direct;
    CallArguments<A...> remote(direct);
    const int32_t directStatus = std::apply([&](A... a) { return Probe<Ordinal>(status, a...); }, direct.args);

    std::vector<uint8_t> request;
    WireWriter requestOut(request);
    ASSERT_TRUE(std::apply([&](A... a) { return M::EncodeRequest(requestOut, a...); }, remote.args));
    WireReader requestIn(request);
    ASSERT_EQ(requestIn.Scalar<uint16_t>(), Ordinal);
    std::vector<uint8_t> answer;
    WireWriter answerOut(answer);
    ASSERT_TRUE(M::Serve(requestIn, answerOut, [&](A... a) { return Probe<Ordinal>(status, a...); }))
        << "ordinal " << Ordinal;
    WireReader answerIn(answer);
    const int32_t remoteStatus = std::apply([&](A... a) { return M::DecodeAnswer(answerIn, a...); }, remote.args);

    EXPECT_EQ(remoteStatus, directStatus) << "ordinal " << Ordinal;
    if (status == kOk) {
        EXPECT_EQ(remote.buffers, direct.buffers) << "ordinal " << Ordinal;
    } else {
        EXPECT_EQ(remote.buffers, CallArguments<A...>().buffers) << "a failed call writes nothing, ordinal " << Ordinal;
    }
}

}  // namespace

TEST(Marshal, EveryOrdinalRoundTripsItsArgumentsAndOutBuffers) {
#define KELVAR_TEST_ROUND_TRIP(ordinal, member, reported, required, params)      \
    CheckRoundTrip<ordinal>(static_cast<void (*) params>(nullptr), kOk);          \
    CheckRoundTrip<ordinal>(static_cast<void (*) params>(nullptr), kCardError);
    KELVAR_FUNCTIONS(KELVAR_TEST_ROUND_TRIP)
#undef KELVAR_TEST_ROUND_TRIP
}

TEST(Marshal, MalformedAnswersWriteNothingAndNeverSucceed) {
    // rf_M1_read: block, out (Reported by the length byte), length.
    using M = Marshal<22, void(int32_t, uint8_t, uint8_t*, uint8_t*)>;
    auto answer = [](uint32_t dataSize, uint8_t reported, bool trailing) {
        std::vector<uint8_t> bytes;
        WireWriter out(bytes);
        out.Scalar<int32_t>(kOk);
        out.Scalar(dataSize);
        for (uint32_t i = 0; i < dataSize; ++i) out.Scalar<uint8_t>(0xAA);
        out.Scalar<uint32_t>(1);
        out.Scalar(reported);
        if (trailing) out.Scalar<uint8_t>(0);
        return bytes;
    };
    const std::vector<uint8_t> cases[] = {
        answer(16, 15, false),                   // length byte says less than came
        answer(15, 16, false),                   // length byte says more than came
        answer(16, 16, true),                    // trailing byte
        std::vector<uint8_t>{0, 0, 0},           // short status
        answer(300, 44, false),                  // more than a length byte can say
        [&] { auto a = answer(16, 16, false); a.pop_back(); return a; }(),  // truncated
    };
    for (const auto& bytes : cases) {
        uint8_t out[kBufferSize] = {};
        uint8_t length = 0x77;
        WireReader in(bytes);
        EXPECT_EQ(M::DecodeAnswer(in, 0, 4, out, &length), kBadAnswer);
        EXPECT_EQ(length, 0x77);
        EXPECT_EQ(out[0], 0);
    }
    const std::vector<uint8_t> good = answer(16, 16, false);
    uint8_t out[kBufferSize] = {};
    uint8_t length = 0;
    WireReader in(good);
    EXPECT_EQ(M::DecodeAnswer(in, 0, 4, out, &length), kOk);
    EXPECT_EQ(length, 16);
    EXPECT_EQ(out[15], 0xAA);
}

TEST(Marshal, ArgSizesPastTheirLargestAreRefusedAndNeverSizeTheServersBuffer) {
    // AT1608_Read: address, length (largest 256), zone, out.
    using M = Marshal<79, void(int32_t, uint8_t, uint32_t, uint8_t, uint8_t*)>;
    uint8_t out[kBufferSize] = {};
    std::vector<uint8_t> request;
    WireWriter requestOut(request);
    EXPECT_FALSE(M::EncodeRequest(requestOut, 0, 0, 257, 0, out));
    EXPECT_TRUE(request.empty());
    ASSERT_TRUE(M::EncodeRequest(requestOut, 0, 0, 256, 0, out));

    // A reader that takes the length for 256 whatever it is fills 256 bytes
    // of what the server reserved, and only the declared size goes back.
    const auto serve = [&](uint32_t length, uint32_t filled) {
        std::vector<uint8_t> bytes;
        WireWriter in(bytes);
        in.Scalar<int32_t>(0);
        in.Scalar<uint8_t>(0);
        in.Scalar(length);
        in.Scalar<uint8_t>(0);
        in.Scalar<uint8_t>(1);
        WireReader reader(bytes);
        std::vector<uint8_t> answer;
        WireWriter answerOut(answer);
        int calls = 0;
        EXPECT_TRUE(M::Serve(reader, answerOut, [&](int32_t, uint8_t, uint32_t, uint8_t, uint8_t* buffer) {
            ++calls;
            std::fill_n(buffer, filled, 0xEE);
            return int32_t(kOk);
        }));
        return std::pair(calls, answer);
    };
    const auto [calls0, answer0] = serve(0, 256);
    EXPECT_EQ(calls0, 1);
    EXPECT_EQ(answer0, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0}));  // status 0, 0 bytes
    const auto [calls256, answer256] = serve(256, 256);
    EXPECT_EQ(answer256.size(), 8u + 256u);
    const auto [calls257, answer257] = serve(257, 0);
    EXPECT_EQ(calls257, 0);
    EXPECT_EQ(answer257, (std::vector<uint8_t>{kBadArgument, 0, 0, 0}));
}
