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

    // For a server's sockets, which never wait: Receive(..., kReadyNow) then
    // gives kStreamTimeout when nothing is there.
    bool SetNonBlocking();
    // Bytes sent now (0 when the peer's window and our buffer are full), or
    // kStreamError.
    int SendSome(std::span<const uint8_t> bytes);
    // Nothing more is sent: the peer reads the end after what was.
    void ShutdownSending();

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
    // A waiting connection (no delay, not blocking) and its peer's
    // "a.b.c.d:port"; nullptr when none waits, with `failure` set when the
    // system could not take one (out of handles or memory).
    std::unique_ptr<TcpStream> Accept(std::string& peer, std::string& failure);
    SocketHandle Handle() const { return handle_; }

private:
    SocketHandle handle_ = -1;
    uint16_t port_ = 0;
};

struct ReadySocket {
    SocketHandle handle;
    bool readable;  // or closed, or failed: a read tells which
    bool writable;
};

// The sockets a server waits on, with what it waits for on each, kept
// between waits: epoll on Linux, so that a wait costs what is ready, not what
// is open; WSAPoll on Windows.
class SocketPoller {
public:
    SocketPoller();
    ~SocketPoller();
    SocketPoller(const SocketPoller&) = delete;
    SocketPoller& operator=(const SocketPoller&) = delete;

    // What `handle` is waited for from now on; neither forgets it.
    bool Watch(SocketHandle handle, bool read, bool write);
    // Waits up to `timeoutMs` until a socket is ready; `ready` gets those
    // that are. False on an error or interruption.
    bool Wait(std::vector<ReadySocket>& ready, int timeoutMs);

private:
    struct Watched;
    intptr_t handle_ = -1;  // the epoll descriptor
    std::unique_ptr<Watched> watched_;
};

}  // namespace kelvar::net
