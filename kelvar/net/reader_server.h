// Serves calls to every client that connects, one call at a time, so that
// all of them share one reader.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kelvar/net/reader_service.h"
#include "kelvar/net/tcp.h"

namespace kelvar::net {

class ReaderServer {
public:
    using Log = std::function<void(const std::string&)>;

    ReaderServer(ServeCall serve, FaultOptions faults, Log log)
        : serve_(serve), faults_(faults), log_(std::move(log)) {}

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
    };

    void AcceptClient();
    // False when the client is gone or was closed.
    bool ServeClient(Client& client);

    ServeCall serve_;
    FaultOptions faults_;
    Log log_;
    ServiceCounters counters_;
    TcpListener listener_;
    std::vector<std::unique_ptr<Client>> clients_;
    std::atomic<bool> stop_{false};
};

}  // namespace kelvar::net
