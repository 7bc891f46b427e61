// kelvar-vicc: one card of the library's models in a virtual PC/SC reader
// (vpcd), for tests of the reader server's PC/SC backend. vpcd's protocol:
// every message is a 2-byte big-endian length and its bytes; a one-byte
// message is power off (0), power on (1), reset (2) or a request for the ATR
// (4, answered with it); any other is an APDU, answered with the response.
// SIGUSR1 pulls the card (the connection closes: vpcd reports no card),
// SIGUSR2 puts it back.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "kelvar/vicc/played_card.h"

namespace {

std::atomic<bool> stopping{false};
std::atomic<bool> pulled{false};

extern "C" void OnSignal(int signal) {
    if (signal == SIGUSR1) pulled = true;
    if (signal == SIGUSR2) pulled = false;
    if (signal == SIGTERM || signal == SIGINT) stopping = true;
}

void Handle(int signal) {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);  // no SA_RESTART: a wait ends at the signal
}

int Connect(uint16_t port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

void QuickAck(int fd) {
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
}

// All `size` bytes, false when the connection ended or a signal came.
bool ReadAll(int fd, uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t got = read(fd, data, size);
        if (got <= 0) return false;
        data += got;
        size -= size_t(got);
    }
    QuickAck(fd);
    return true;
}

bool Send(int fd, const kelvar::Bytes& message) {
    kelvar::Bytes framed = {uint8_t(message.size() >> 8), uint8_t(message.size())};
    framed.insert(framed.end(), message.begin(), message.end());
    return send(fd, framed.data(), framed.size(), MSG_NOSIGNAL) == ssize_t(framed.size());
}

// Serves vpcd until the connection ends, the card is pulled or the program stops.
void Serve(int fd, kelvar::vicc::PlayedCard& card) {
    while (!stopping && !pulled) {
        pollfd wait{fd, POLLIN, 0};
        if (poll(&wait, 1, 100) <= 0) continue;
        uint8_t header[2];
        if (!ReadAll(fd, header, 2)) return;
        kelvar::Bytes message(size_t(header[0] << 8 | header[1]));
        if (!message.empty() && !ReadAll(fd, message.data(), message.size())) return;
        if (message.size() == 1) {
            if (message[0] == 1 || message[0] == 2) card.PowerOn();
            if (message[0] == 4 && !Send(fd, card.Atr())) return;
            continue;
        }
        if (!Send(fd, card.Answer(message))) return;
    }
}

}  // namespace

int main(int argc, char** argv) {
    uint16_t port = 0;
    std::string name;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--port") port = static_cast<uint16_t>(std::atoi(argv[i + 1]));
        if (option == "--card") name = argv[i + 1];
    }
    kelvar::ImageStore store;
    auto card = kelvar::vicc::MakePlayedCard(name, store);
    if (port == 0 || !card) {
        std::cerr << "usage: kelvar-vicc --port N --card " << kelvar::vicc::kPlayedCardNames << "\n";
        return 2;
    }
    Handle(SIGUSR1);
    Handle(SIGUSR2);
    Handle(SIGTERM);
    Handle(SIGINT);
    while (!stopping) {
        if (pulled) {
            usleep(20 * 1000);
            continue;
        }
        const int fd = Connect(port);
        if (fd < 0) {
            usleep(50 * 1000);
            continue;
        }
        Serve(fd, *card);
        close(fd);
    }
    return 0;
}
