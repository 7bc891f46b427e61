#ifndef _WIN32

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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
        return n < 0 ? kStreamError : static_cast<int>(n);
    }
}

TcpListener::~TcpListener() {
    if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool TcpListener::Listen(const uint16_t address[4], uint16_t port, std::string& error) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    handle_ = fd;
    const int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in at = AddressOf(address, port);
    socklen_t size = sizeof at;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0 || listen(fd, 16) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
        error = std::strerror(errno);
        return false;
    }
    port_ = ntohs(at.sin_port);
    return true;
}

std::unique_ptr<TcpStream> TcpListener::Accept(std::string& peer) {
    sockaddr_in at{};
    socklen_t size = sizeof at;
    const int fd = accept4(static_cast<int>(handle_), reinterpret_cast<sockaddr*>(&at), &size, SOCK_CLOEXEC);
    if (fd < 0) return nullptr;
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &at.sin_addr, text, sizeof text);
    peer = std::string(text) + ":" + std::to_string(ntohs(at.sin_port));
    return std::make_unique<TcpStream>(fd);
}

bool WaitReadable(const std::vector<SocketHandle>& handles, std::vector<bool>& ready, int timeoutMs) {
    std::vector<pollfd> entries;
    for (const SocketHandle h : handles) entries.push_back({static_cast<int>(h), POLLIN, 0});
    const int n = poll(entries.data(), entries.size(), timeoutMs);
    ready.assign(handles.size(), false);
    if (n < 0) return false;
    for (size_t i = 0; i < entries.size(); ++i) ready[i] = (entries[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
    return true;
}

}  // namespace kelvar::net

#endif  // _WIN32
