#include "unused_port.h"

#include <winsock2.h>
#include <ws2tcpip.h>

UnusedLoopbackPort::UnusedLoopbackPort() : socket_(INVALID_SOCKET) {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    if (!started_) return;
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return;
    socket_ = s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int size = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        port_ = ntohs(address.sin_port);
    }
}

UnusedLoopbackPort::~UnusedLoopbackPort() {
    if (socket_ != INVALID_SOCKET) closesocket(static_cast<SOCKET>(socket_));
    if (started_) WSACleanup();
}
