#include "kelvar/net/frame.h"

#include "common/crc32.h"
#include "kelvar/net/wire.h"

namespace kelvar::net {

std::vector<uint8_t> EncodeFrame(FrameKind kind, std::span<const uint8_t> payload) {
    std::vector<uint8_t> frame;
    frame.reserve(kFrameHeaderSize + payload.size());
    WireWriter out(frame);
    out.Scalar<uint8_t>('K');
    out.Scalar<uint8_t>('V');
    out.Scalar<uint8_t>(kProtocolVersion);
    out.Scalar(static_cast<uint8_t>(kind));
    out.Scalar(static_cast<uint32_t>(payload.size()));
    out.Scalar(checksum::Crc32(payload));
    out.Bytes(payload.data(), payload.size());
    return frame;
}

void FrameDecoder::Feed(std::span<const uint8_t> bytes) {
    if (!error_.empty()) return;
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

FrameDecoder::Result FrameDecoder::Fail(std::string why) {
    error_ = std::move(why);
    buffer_.clear();
    return Result::kError;
}

FrameDecoder::Result FrameDecoder::Next(Frame& frame) {
    if (!error_.empty()) return Result::kError;
    // The header is checked as soon as its bytes are in, before waiting for
    // (or keeping) a payload it announces.
    if (buffer_.size() >= 2 && (buffer_[0] != 'K' || buffer_[1] != 'V')) return Fail("not a reader frame");
    if (buffer_.size() >= 3 && buffer_[2] != kProtocolVersion) {
        return Fail("protocol version " + std::to_string(buffer_[2]) + " not supported");
    }
    if (buffer_.size() >= 4 && (buffer_[3] < static_cast<uint8_t>(FrameKind::kHello) ||
                                buffer_[3] > static_cast<uint8_t>(FrameKind::kProof))) {
        return Fail("unknown frame kind " + std::to_string(buffer_[3]));
    }
    if (buffer_.size() < kFrameHeaderSize) return Result::kNeedMore;
    WireReader header(std::span<const uint8_t>(buffer_.data() + 4, 8));
    const uint32_t length = header.Scalar<uint32_t>();
    const uint32_t crc = header.Scalar<uint32_t>();
    if (length > kMaxPayload) return Fail("frame of " + std::to_string(length) + " bytes is too long");
    if (buffer_.size() - kFrameHeaderSize < length) return Result::kNeedMore;
    const std::span<const uint8_t> payload(buffer_.data() + kFrameHeaderSize, length);
    if (checksum::Crc32(payload) != crc) return Fail("frame checksum wrong");
    frame.kind = static_cast<FrameKind>(buffer_[3]);
    frame.payload.assign(payload.begin(), payload.end());
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(kFrameHeaderSize + length));
    return Result::kFrame;
}

}  // namespace kelvar::net
