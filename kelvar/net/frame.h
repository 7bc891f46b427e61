// Frames on a reader connection: a 12-byte header, then the payload.
//   0  'K' 'V'        magic
//   2  version        kProtocolVersion
//   3  kind           FrameKind
//   4  length         payload bytes, 32-bit little-endian, at most kMaxPayload
//   8  CRC-32         of the payload, little-endian
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kelvar::net {

inline constexpr uint8_t kProtocolVersion = 2;
inline constexpr size_t kFrameHeaderSize = 12;
inline constexpr size_t kMaxPayload = 256 * 1024;

enum class FrameKind : uint8_t {
    kHello = 1,      // client: protocol version, function-list digest and a nonce
    kWelcome = 2,    // server: 0 = accepted, else refused
    kRequest = 3,    // request number, ordinal and arguments
    kAnswer = 4,     // the request's number, status and out-buffers
    kChallenge = 5,  // server: its nonce, whether a shared secret is needed
    kProof = 6,      // client: its proof of the shared secret
};

struct Frame {
    FrameKind kind = FrameKind::kHello;
    std::vector<uint8_t> payload;
};

std::vector<uint8_t> EncodeFrame(FrameKind kind, std::span<const uint8_t> payload);

// Collects bytes as they arrive and cuts them into frames. A bad header or
// checksum is final: the connection carrying it cannot be trusted further.
class FrameDecoder {
public:
    enum class Result { kNeedMore, kFrame, kError };

    void Feed(std::span<const uint8_t> bytes);
    Result Next(Frame& frame);
    const std::string& Error() const { return error_; }
    // Bytes received but not yet cut into a frame.
    size_t Pending() const { return buffer_.size(); }

private:
    Result Fail(std::string why);

    std::vector<uint8_t> buffer_;
    std::string error_;
};

}  // namespace kelvar::net
