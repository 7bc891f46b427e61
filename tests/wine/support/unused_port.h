// A loopback port that nobody listens on: a socket is bound to it, without
// listening, for as long as the object lives, so a connection is refused.
#pragma once

#include <cstdint>

class UnusedLoopbackPort {
public:
    UnusedLoopbackPort();
    ~UnusedLoopbackPort();
    UnusedLoopbackPort(const UnusedLoopbackPort&) = delete;
    UnusedLoopbackPort& operator=(const UnusedLoopbackPort&) = delete;

    // 0 when no port could be bound.
    uint16_t Port() const { return port_; }

private:
    uintptr_t socket_;
    uint16_t port_ = 0;
    bool started_ = false;
};
