#ifndef _WIN32

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <unordered_map>

#include "kelvar/net/tcp.h"

namespace kelvar::net {

namespace {

sockaddr_in AddressOf(const uint16_t address[4], uint16_t port) {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl((uint32_t(address[0]) << 24) | (uint32_t(address[1]) << 16) |
                               (uint32_t(address[2]) << 8) | uint32_t(address[3]));
    return at;
}

bool WaitFor(int fd, short events, int timeoutMs) {
    pollfd entry{fd, events, 0};
    for (;;) {
        const int n = poll(&entry, 1, timeoutMs);
        if (n < 0 && errno == EINTR) continue;
        return n > 0;
    }
}

}  // namespace

TcpStream::~TcpStream() { close(static_cast<int>(handle_)); }

std::unique_ptr<TcpStream> TcpStream::Connect(const uint16_t address[4], uint16_t port, int timeoutMs) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0) return nullptr;
    auto stream = std::make_unique<TcpStream>(fd);
    const int flags = fcntl(fd, F_GETFL);
    fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    const sockaddr_in at = AddressOf(address, port);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0) {
        if (errno != EINPROGRESS || !WaitFor(fd, POLLOUT, timeoutMs)) return nullptr;
        int error = 0;
        socklen_t size = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) return nullptr;
    }
    fcntl(fd, F_SETFL, flags);
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return stream;
}

bool TcpStream::Send(std::span<const uint8_t> bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(static_cast<int>(handle_), bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += size_t(n);
    }
    return true;
}

int TcpStream::Receive(uint8_t* into, size_t capacity, int timeoutMs) {
    if (timeoutMs != kReadyNow && !WaitFor(static_cast<int>(handle_), POLLIN, timeoutMs)) return kStreamTimeout;
    for (;;) {
        const ssize_t n = recv(static_cast<int>(handle_), into, capacity, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return kStreamTimeout;
        return n < 0 ? kStreamError : static_cast<int>(n);
    }
}

bool TcpStream::SetNonBlocking() {
    const int flags = fcntl(static_cast<int>(handle_), F_GETFL);
    return flags >= 0 && fcntl(static_cast<int>(handle_), F_SETFL, flags | O_NONBLOCK) == 0;
}

int TcpStream::SendSome(std::span<const uint8_t> bytes) {
    for (;;) {
        const ssize_t n = send(static_cast<int>(handle_), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n >= 0) return static_cast<int>(n);
        if (errno == EINTR) continue;
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : kStreamError;
    }
}

void TcpStream::ShutdownSending() { shutdown(static_cast<int>(handle_), SHUT_WR); }

TcpListener::~TcpListener() {
    if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool TcpListener::Listen(const uint16_t address[4], uint16_t port, std::string& error) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, IPPROTO_TCP);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    handle_ = fd;
    const int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in at = AddressOf(address, port);
    socklen_t size = sizeof at;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0 || listen(fd, SOMAXCONN) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
        error = std::strerror(errno);
        return false;
    }
    port_ = ntohs(at.sin_port);
    return true;
}

std::unique_ptr<TcpStream> TcpListener::Accept(std::string& peer, std::string& failure) {
    sockaddr_in at{};
    socklen_t size = sizeof at;
    const int fd = accept4(static_cast<int>(handle_), reinterpret_cast<sockaddr*>(&at), &size,
                           SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
        // Gone before it was taken, or nothing waits: not a failure.
        const bool passing = errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNABORTED ||
                             errno == EPROTO || errno == EPERM;
        if (!passing) failure = std::strerror(errno);
        return nullptr;
    }
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &at.sin_addr, text, sizeof text);
    peer = std::string(text) + ":" + std::to_string(ntohs(at.sin_port));
    return std::make_unique<TcpStream>(fd);
}

struct SocketPoller::Watched {
    std::unordered_map<int, uint32_t> events;  // what each socket is waited for
};

SocketPoller::SocketPoller() : handle_(epoll_create1(EPOLL_CLOEXEC)), watched_(std::make_unique<Watched>()) {}

SocketPoller::~SocketPoller() {
    if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool SocketPoller::Watch(SocketHandle handle, bool read, bool write) {
    const int fd = static_cast<int>(handle);
    const uint32_t events = (read ? EPOLLIN : 0u) | (write ? EPOLLOUT : 0u);
    const auto at = watched_->events.find(fd);
    const bool known = at != watched_->events.end();
    if (known && at->second == events) return true;
    epoll_event event{};
    event.events = events;
    event.data.fd = fd;
    // A socket waited for nothing leaves the set: closed ones would wake every wait.
    if (events == 0) {
        if (known) watched_->events.erase(at);
        return !known || epoll_ctl(static_cast<int>(handle_), EPOLL_CTL_DEL, fd, nullptr) == 0;
    }
    if (epoll_ctl(static_cast<int>(handle_), known ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, fd, &event) != 0) return false;
    watched_->events[fd] = events;
    return true;
}

bool SocketPoller::Wait(std::vector<ReadySocket>& ready, int timeoutMs) {
    ready.clear();
    epoll_event events[256];
    const int n = epoll_wait(static_cast<int>(handle_), events, 256, timeoutMs);
    for (int i = 0; i < n; ++i) {
        const uint32_t got = events[i].events;
        ready.push_back({events[i].data.fd, (got & (EPOLLIN | EPOLLHUP | EPOLLERR)) != 0,
                         (got & (EPOLLOUT | EPOLLERR)) != 0});
    }
    return n >= 0;
}

}  // namespace kelvar::net

#endif  // _WIN32
