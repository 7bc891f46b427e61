// A connected byte stream: a TCP connection, or an in-memory one in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kelvar::net {

class ByteStream {
public:
    virtual ~ByteStream() = default;
    // False when not all bytes could be sent.
    virtual bool Send(std::span<const uint8_t> bytes) = 0;
    // Bytes received (at most `capacity`), 0 when the peer closed, -1 on an
    // error, -2 when nothing arrived within `timeoutMs`. kReadyNow: the caller
    // knows bytes are waiting; no wait before reading.
    virtual int Receive(uint8_t* into, size_t capacity, int timeoutMs) = 0;
};

inline constexpr int kStreamClosed = 0;
inline constexpr int kStreamError = -1;
inline constexpr int kStreamTimeout = -2;
inline constexpr int kReadyNow = -1;

}  // namespace kelvar::net
