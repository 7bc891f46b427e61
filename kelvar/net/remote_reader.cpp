#include "kelvar/net/remote_reader.h"

#include <algorithm>
#include <chrono>

#include "kelvar/net/function_list_digest.h"

namespace kelvar::net {

Status RemoteReader::Open(std::unique_ptr<ByteStream> stream, std::span<const uint8_t> secret) {
    Close();
    if (stream == nullptr) return kConnectFailed;
    stream_ = std::move(stream);
    if (Greet(secret) != kOk) {
        Close();
        return kConnectFailed;
    }
    return kOk;
}

Status RemoteReader::Greet(std::span<const uint8_t> secret) {
    Nonce own{};
    if (!SecureRandomBytes(own)) return kConnectFailed;
    std::vector<uint8_t> hello;
    WireWriter out(hello);
    out.Scalar<uint16_t>(kProtocolVersion);
    out.Scalar(FunctionListDigest());
    out.Bytes(own.data(), own.size());
    std::vector<uint8_t> challenge;
    if (!stream_->Send(EncodeFrame(FrameKind::kHello, hello)) ||
        Await(FrameKind::kChallenge, challenge, kConnectTimeoutMs, kConnectFailed) != kOk) {
        return kConnectFailed;
    }
    WireReader in(challenge);
    Nonce server{};
    const uint8_t* nonce = in.Bytes(server.size());
    const uint8_t needed = in.Scalar<uint8_t>();
    if (!in.AtEnd()) return kConnectFailed;
    std::copy_n(nonce, server.size(), server.begin());
    // A server that needs no secret cannot prove it holds ours: not the one meant.
    if (!secret.empty() && needed == 0) return kConnectFailed;
    const std::optional<Sha256Mac> proof = Proof(Side::kClient, secret, own, server);
    if (!secret.empty() && !proof) return kConnectFailed;
    const std::span<const uint8_t> sent = proof ? std::span<const uint8_t>(*proof) : std::span<const uint8_t>();
    std::vector<uint8_t> welcome;
    if (!stream_->Send(EncodeFrame(FrameKind::kProof, sent)) ||
        Await(FrameKind::kWelcome, welcome, kConnectTimeoutMs, kConnectFailed) != kOk) {
        return kConnectFailed;
    }
    WireReader verdict(welcome);
    if (verdict.Scalar<uint32_t>() != 0 || !verdict.Ok()) return kConnectFailed;
    if (secret.empty()) return verdict.AtEnd() ? kOk : kConnectFailed;
    const uint8_t* theirs = verdict.Bytes(sizeof(Sha256Mac));
    if (!verdict.AtEnd() ||
        !ProofHolds(Side::kServer, secret, server, own, std::span<const uint8_t>(theirs, sizeof(Sha256Mac)))) {
        return kConnectFailed;
    }
    return kOk;
}

void RemoteReader::Close() {
    stream_.reset();
    decoder_ = FrameDecoder();
}

Status RemoteReader::Exchange(std::span<const uint8_t> request, std::vector<uint8_t>& answer) {
    if (!IsOpen()) return kNotOpen;
    const uint32_t number = ++lastRequest_;
    std::vector<uint8_t> payload;
    payload.reserve(sizeof number + request.size());
    WireWriter out(payload);
    out.Scalar(number);
    out.Bytes(request.data(), request.size());
    if (!stream_->Send(EncodeFrame(FrameKind::kRequest, payload))) {
        Close();
        return kConnectionLost;
    }
    Status status = Await(FrameKind::kAnswer, answer, answerTimeoutMs_, kConnectionLost);
    if (status == kOk) {
        WireReader in(answer);
        if (in.Scalar<uint32_t>() != number || !in.Ok()) {
            status = kBadAnswer;
        } else {
            answer.erase(answer.begin(), answer.begin() + sizeof number);
        }
    }
    if (status != kOk) Close();
    return status;
}

Status RemoteReader::Await(FrameKind kind, std::vector<uint8_t>& payload, int timeoutMs, Status onSilence) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    uint8_t buffer[4096];
    for (;;) {
        Frame frame;
        switch (decoder_.Next(frame)) {
            case FrameDecoder::Result::kFrame:
                // A refusal comes as a welcome at any point of the greeting.
                if (frame.kind != kind) return kind == FrameKind::kAnswer ? kBadAnswer : kConnectFailed;
                payload = std::move(frame.payload);
                return kOk;
            case FrameDecoder::Result::kError: return kBadAnswer;
            case FrameDecoder::Result::kNeedMore: break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return onSilence;
        const int received = stream_->Receive(buffer, sizeof buffer, static_cast<int>(left));
        if (received <= 0) return received == kStreamTimeout ? onSilence : kConnectionLost;
        decoder_.Feed(std::span<const uint8_t>(buffer, size_t(received)));
    }
}

}  // namespace kelvar::net
