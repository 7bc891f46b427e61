// The serving end of a reader connection, apart from sockets: the handshake,
// the calls and the fault options that test a client's error handling.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kelvar/net/frame.h"
#include "kelvar/net/wire.h"

namespace kelvar::net {

// Decodes one request (after its ordinal), calls the function and writes the
// answer; false for a malformed request.
using ServeCall = bool (*)(uint16_t ordinal, WireReader& in, WireWriter& out);

struct FaultOptions {
    int latencyMs = 0;         // wait before every answer
    uint32_t dropEvery = 0;    // every Nth answer is never sent
    uint32_t closeAfter = 0;   // a connection is closed after N calls, unanswered
    uint32_t garbleEvery = 0;  // every Nth answer has a payload byte flipped
};

// Counts shared by all connections of one server.
struct ServiceCounters {
    uint64_t answers = 0;
};

class ServedConnection {
public:
    ServedConnection(ServeCall serve, const FaultOptions& faults, ServiceCounters& counters)
        : serve_(serve), faults_(faults), counters_(counters) {}

    // Takes received bytes, appends what to send back to `reply`; false when
    // the connection is to be closed (after sending the reply), with `note`
    // saying why.
    bool OnBytes(std::span<const uint8_t> bytes, std::vector<uint8_t>& reply, std::string& note);
    uint64_t Calls() const { return calls_; }

private:
    bool OnFrame(const Frame& frame, std::vector<uint8_t>& reply, std::string& note);

    ServeCall serve_;
    const FaultOptions& faults_;
    ServiceCounters& counters_;
    FrameDecoder decoder_;
    bool greeted_ = false;
    uint64_t calls_ = 0;
};

}  // namespace kelvar::net
