// The client end of a reader connection: the version handshake, then one
// request and one answer per call, the answer echoing the request's number.
// Any fault closes the connection.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "kelvar/net/byte_stream.h"
#include "kelvar/net/frame.h"
#include "kelvar/net/handshake.h"
#include "kelvar/net/marshal.h"
#include "kelvar/status.h"

namespace kelvar::net {

inline constexpr int kConnectTimeoutMs = 2000;
inline constexpr int kAnswerTimeoutMs = 3000;

class RemoteReader {
public:
    explicit RemoteReader(int answerTimeoutMs = kAnswerTimeoutMs) : answerTimeoutMs_(answerTimeoutMs) {}

    // Takes a connected stream and greets the server, proving `secret` when
    // one is given (and asking the server to prove it too): kOk, or
    // kConnectFailed (closed) when it does not answer, speaks another
    // protocol, refuses, or does not hold the same secret.
    Status Open(std::unique_ptr<ByteStream> stream, std::span<const uint8_t> secret = {});
    void Close();
    bool IsOpen() const { return stream_ != nullptr; }

    // One request payload, its answer payload (without the request numbers
    // the frames carry). kConnectionLost or kBadAnswer close the connection:
    // an answer to another request is a bad answer.
    Status Exchange(std::span<const uint8_t> request, std::vector<uint8_t>& answer);

    // A call of the function list, carried over the connection.
    template <int Ordinal, typename Signature, typename... A>
    int32_t Call(A... args);

private:
    Status Greet(std::span<const uint8_t> secret);
    Status Await(FrameKind kind, std::vector<uint8_t>& payload, int timeoutMs, Status onSilence);

    std::unique_ptr<ByteStream> stream_;
    FrameDecoder decoder_;
    int answerTimeoutMs_;
    uint32_t lastRequest_ = 0;
};

template <int Ordinal, typename Signature, typename... A>
int32_t RemoteReader::Call(A... args) {
    using M = Marshal<Ordinal, Signature>;
    std::vector<uint8_t> request;
    WireWriter out(request);
    if (!M::EncodeRequest(out, args...)) return kBadArgument;
    std::vector<uint8_t> answer;
    if (const Status status = Exchange(request, answer); status != kOk) return status;
    WireReader in(answer);
    const int32_t status = M::DecodeAnswer(in, args...);
    if (status == kBadAnswer) Close();
    return status;
}

}  // namespace kelvar::net
