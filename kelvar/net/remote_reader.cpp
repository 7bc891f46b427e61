#include "kelvar/net/remote_reader.h"

#include <chrono>

#include "kelvar/net/function_list_digest.h"

namespace kelvar::net {

Status RemoteReader::Open(std::unique_ptr<ByteStream> stream) {
    Close();
    if (stream == nullptr) return kConnectFailed;
    stream_ = std::move(stream);
    std::vector<uint8_t> hello;
    WireWriter out(hello);
    out.Scalar<uint16_t>(kProtocolVersion);
    out.Scalar(FunctionListDigest());
    const std::vector<uint8_t> frame = EncodeFrame(FrameKind::kHello, hello);
    std::vector<uint8_t> welcome;
    if (!stream_->Send(frame) ||
        Await(FrameKind::kWelcome, welcome, kConnectTimeoutMs, kConnectFailed) != kOk) {
        Close();
        return kConnectFailed;
    }
    WireReader in(welcome);
    const uint32_t verdict = in.Scalar<uint32_t>();
    if (!in.AtEnd() || verdict != 0) {
        Close();
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
    if (!stream_->Send(EncodeFrame(FrameKind::kRequest, request))) {
        Close();
        return kConnectionLost;
    }
    const Status status = Await(FrameKind::kAnswer, answer, answerTimeoutMs_, kConnectionLost);
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
                if (frame.kind != kind) return kBadAnswer;
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
