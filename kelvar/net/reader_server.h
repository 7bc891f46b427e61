// Serves calls to every client that connects, one call at a time, so that
// all of them share one reader. No client can hold the others up: sockets
// never block, each client's answers wait in a queue of its own, each turn
// serves at most one request per client, and a client that stops reading,
// never greets or leaves a frame half sent is closed. Past the connection
// limit clients are refused; when no connection can be accepted (no handles
// left) the server pauses accepting, and lines of one kind are logged at a
// bounded rate.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "kelvar/net/log_throttle.h"
#include "kelvar/net/reader_service.h"
#include "kelvar/net/tcp.h"

namespace kelvar::net {

struct ServerLimits {
    size_t maxClients = 64;                    // more are refused, with a log line
    std::chrono::milliseconds hello{2000};     // from the connection to the greeting
    std::chrono::milliseconds frame{10000};    // from a frame's first byte to its last
    std::chrono::milliseconds drain{5000};     // a queue past its bound must drain within this
    size_t queueBytes = 64 * 1024;             // past this a client is not read
};

class ReaderServer {
public:
    using Log = std::function<void(const std::string&)>;
    using Clock = std::chrono::steady_clock;

    ReaderServer(Service service, Log log, ServerLimits limits = {})
        : service_(std::move(service)), limits_(limits), log_(std::move(log)), throttled_(log_) {}

    bool Listen(const uint16_t address[4], uint16_t port, std::string& error) {
        return listener_.Listen(address, port, error);
    }
    uint16_t Port() const { return listener_.Port(); }

    // Serves until Stop is called (from any thread or a signal handler).
    void Run();
    void Stop() { stop_ = true; }

private:
    struct Client {
        std::unique_ptr<TcpStream> stream;
        std::string peer;
        ServedConnection served;
        Clock::time_point connected;
        std::vector<uint8_t> queue = {};  // answers not yet sent, from `sent` on
        size_t sent = 0;
        Clock::time_point frameStarted{};  // a frame's first byte, while it is not whole
        Clock::time_point queueFull{};     // since the queue passed its bound
        bool moreFrames = false;           // a request served last turn: more may be in
        bool closing = false;              // send the queue, then close
        bool shut = false;                 // the closing client was told no more comes
        bool gone = false;                 // to be dropped at the end of the turn
        bool inTurn = false;               // among the clients served this turn
        Clock::time_point closeBy{};
        bool reading = false;              // what the poller waits for
        bool writing = false;

        size_t Queued() const { return queue.size() - sent; }
    };

    void AcceptClients(Clock::time_point now);
    // Each false when the client is to be dropped now.
    bool Flush(Client& client);
    bool ReadFrom(Client& client);
    bool Step(Client& client, Clock::time_point now);
    // When a deadline closes the client (max: none pending).
    Clock::time_point Deadline(const Client& client) const;
    // Marks the clients whose deadline passed, with a log line.
    void SweepDeadlines(Clock::time_point now);
    void Close(Client& client, const std::string& why, Clock::time_point now);
    // Tells the poller what the client now waits for.
    void Watch(Client& client);
    void Drop(SocketHandle handle);
    // Drops every client marked gone (deadlines, or whatever broke).
    void DropGone();

    Service service_;
    ServerLimits limits_;
    Log log_;
    LogThrottle throttled_;
    ServiceState state_;
    TcpListener listener_;
    SocketPoller poller_;
    std::unordered_map<SocketHandle, std::unique_ptr<Client>> clients_;
    std::vector<Client*> busy_;  // clients with requests waiting for their turn
    Clock::time_point acceptAgain_{};
    std::chrono::milliseconds acceptPause_{0};
    std::atomic<bool> stop_{false};
};

}  // namespace kelvar::net
