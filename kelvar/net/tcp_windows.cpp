#ifdef _WIN32

#include <winsock2.h>
#include <ws2tcpip.h>

#include <map>

#include "kelvar/net/tcp.h"

namespace kelvar::net {

namespace {

// Winsock stays started for the life of the process.
bool WinsockReady() {
    static const bool ready = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}

sockaddr_in AddressOf(const uint16_t address[4], uint16_t port) {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl((u_long(address[0]) << 24) | (u_long(address[1]) << 16) |
                               (u_long(address[2]) << 8) | u_long(address[3]));
    return at;
}

SOCKET S(SocketHandle h) { return static_cast<SOCKET>(h); }

bool WaitFor(SOCKET s, short events, int timeoutMs) {
    WSAPOLLFD entry{s, events, 0};
    return WSAPoll(&entry, 1, timeoutMs) > 0;
}

void NoDelay(SOCKET s) {
    const BOOL one = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
}

}  // namespace

TcpStream::~TcpStream() { closesocket(S(handle_)); }

std::unique_ptr<TcpStream> TcpStream::Connect(const uint16_t address[4], uint16_t port, int timeoutMs) {
    if (!WinsockReady()) return nullptr;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return nullptr;
    auto stream = std::make_unique<TcpStream>(static_cast<SocketHandle>(s));
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    const sockaddr_in at = AddressOf(address, port);
    if (connect(s, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0) {
        if (WSAGetLastError() != WSAEWOULDBLOCK) return nullptr;
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
        if (select(0, nullptr, &writable, &failed, &limit) <= 0 || FD_ISSET(s, &failed)) return nullptr;
        int error = 0;
        int size = sizeof error;
        if (getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 || error != 0) {
            return nullptr;
        }
    }
    nonBlocking = 0;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    NoDelay(s);
    return stream;
}

bool TcpStream::Send(std::span<const uint8_t> bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = send(S(handle_), reinterpret_cast<const char*>(bytes.data() + sent),
                           static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0) return false;
        sent += size_t(n);
    }
    return true;
}

int TcpStream::Receive(uint8_t* into, size_t capacity, int timeoutMs) {
    if (timeoutMs != kReadyNow && !WaitFor(S(handle_), POLLRDNORM, timeoutMs)) return kStreamTimeout;
    const int n = recv(S(handle_), reinterpret_cast<char*>(into), static_cast<int>(capacity), 0);
    if (n < 0 && WSAGetLastError() == WSAEWOULDBLOCK) return kStreamTimeout;
    return n < 0 ? kStreamError : n;
}

bool TcpStream::SetNonBlocking() {
    u_long nonBlocking = 1;
    return ioctlsocket(S(handle_), FIONBIO, &nonBlocking) == 0;
}

int TcpStream::SendSome(std::span<const uint8_t> bytes) {
    const int n = send(S(handle_), reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0);
    if (n >= 0) return n;
    return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : kStreamError;
}

void TcpStream::ShutdownSending() { shutdown(S(handle_), SD_SEND); }

TcpListener::~TcpListener() {
    if (handle_ != -1) closesocket(S(handle_));
}

bool TcpListener::Listen(const uint16_t address[4], uint16_t port, std::string& error) {
    if (!WinsockReady()) {
        error = "Winsock could not be started";
        return false;
    }
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        error = "socket: error " + std::to_string(WSAGetLastError());
        return false;
    }
    handle_ = static_cast<SocketHandle>(s);
    u_long nonBlocking = 1;
    sockaddr_in at = AddressOf(address, port);
    int size = sizeof at;
    if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0 || bind(s, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0 ||
        listen(s, SOMAXCONN) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
        error = "listen: error " + std::to_string(WSAGetLastError());
        return false;
    }
    port_ = ntohs(at.sin_port);
    return true;
}

std::unique_ptr<TcpStream> TcpListener::Accept(std::string& peer, std::string& failure) {
    sockaddr_in at{};
    int size = sizeof at;
    const SOCKET s = accept(S(handle_), reinterpret_cast<sockaddr*>(&at), &size);
    if (s == INVALID_SOCKET) {
        const int error = WSAGetLastError();
        // Gone before it was taken, or nothing waits: not a failure.
        if (error != WSAEWOULDBLOCK && error != WSAECONNRESET && error != WSAEINTR) {
            failure = "error " + std::to_string(error);
        }
        return nullptr;
    }
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    NoDelay(s);
    const uint32_t ip = ntohl(at.sin_addr.s_addr);
    peer = std::to_string(ip >> 24) + "." + std::to_string((ip >> 16) & 255) + "." +
           std::to_string((ip >> 8) & 255) + "." + std::to_string(ip & 255) + ":" +
           std::to_string(ntohs(at.sin_port));
    return std::make_unique<TcpStream>(static_cast<SocketHandle>(s));
}

struct SocketPoller::Watched {
    std::map<SocketHandle, short> events;  // what each socket is waited for
};

SocketPoller::SocketPoller() : watched_(std::make_unique<Watched>()) {}

SocketPoller::~SocketPoller() = default;

bool SocketPoller::Watch(SocketHandle handle, bool read, bool write) {
    const short events = static_cast<short>((read ? POLLRDNORM : 0) | (write ? POLLWRNORM : 0));
    // WSAPoll refuses an entry waiting for nothing.
    if (events == 0) {
        watched_->events.erase(handle);
    } else {
        watched_->events[handle] = events;
    }
    return true;
}

bool SocketPoller::Wait(std::vector<ReadySocket>& ready, int timeoutMs) {
    ready.clear();
    std::vector<WSAPOLLFD> polled;
    polled.reserve(watched_->events.size());
    for (const auto& [handle, events] : watched_->events) polled.push_back({S(handle), events, 0});
    if (polled.empty()) {
        Sleep(static_cast<DWORD>(timeoutMs));
        return true;
    }
    const int n = WSAPoll(polled.data(), static_cast<ULONG>(polled.size()), timeoutMs);
    if (n < 0) return false;
    for (const WSAPOLLFD& entry : polled) {
        const short got = entry.revents;
        if (got == 0) continue;
        ready.push_back({static_cast<SocketHandle>(entry.fd), (got & (POLLRDNORM | POLLHUP | POLLERR)) != 0,
                         (got & (POLLWRNORM | POLLERR | POLLHUP)) != 0});
    }
    return true;
}

}  // namespace kelvar::net

#endif  // _WIN32
