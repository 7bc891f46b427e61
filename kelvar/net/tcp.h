// TCP connections over IPv4, the same on POSIX and Windows.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "kelvar/net/byte_stream.h"
#include "kelvar/status.h"

namespace kelvar::net {

using SocketHandle = intptr_t;

class TcpStream : public ByteStream {
public:
    explicit TcpStream(SocketHandle handle) : handle_(handle) {}
    ~TcpStream() override;
    TcpStream(const TcpStream&) = delete;
    TcpStream& operator=(const TcpStream&) = delete;

    // Connects within `timeoutMs`; nullptr when refused, unreachable or slow.
    static std::unique_ptr<TcpStream> Connect(const uint16_t address[4], uint16_t port, int timeoutMs);

    bool Send(std::span<const uint8_t> bytes) override;
    int Receive(uint8_t* into, size_t capacity, int timeoutMs) override;
    SocketHandle Handle() const { return handle_; }

private:
    SocketHandle handle_;
};

class TcpListener {
public:
    TcpListener() = default;
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    // `address` in a.b.c.d order; false with `error` set on failure.
    bool Listen(const uint16_t address[4], uint16_t port, std::string& error);
    // The port listened on (the chosen one when 0 was asked for).
    uint16_t Port() const { return port_; }
    // A waiting connection and its peer's "a.b.c.d:port", or nullptr.
    std::unique_ptr<TcpStream> Accept(std::string& peer);
    SocketHandle Handle() const { return handle_; }

private:
    SocketHandle handle_ = -1;
    uint16_t port_ = 0;
};

// Waits up to `timeoutMs` until one of `handles` can be read (or has closed);
// `ready` gets one flag per handle. False on an error or interruption.
bool WaitReadable(const std::vector<SocketHandle>& handles, std::vector<bool>& ready, int timeoutMs);

}  // namespace kelvar::net
