// The serving end of a reader connection, apart from sockets: the greeting
// (with a shared secret, a challenge each side answers), the calls, the
// holding of the reader by one connection at a time, and the fault options
// that test a client's error handling.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kelvar/net/frame.h"
#include "kelvar/net/handshake.h"
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

// What a server offers every connection.
struct Service {
    ServeCall serve = nullptr;
    FaultOptions faults = {};
    std::vector<uint8_t> secret = {};  // empty: anyone may connect
    bool exclusive = false;            // one connection at a time holds the reader
};

// What the connections of one server share.
struct ServiceState {
    uint64_t answers = 0;
    const void* holder = nullptr;  // the connection holding the reader, when exclusive
};

// The welcome's word on a greeting.
enum class Verdict : uint32_t {
    kAccepted = 0,
    kOtherProtocol = 1,     // another protocol version or function list
    kTooManyClients = 2,    // the server's connection limit is reached
    kNotAuthenticated = 3,  // the proof of the shared secret is wrong or missing
};

std::vector<uint8_t> WelcomeFrame(Verdict verdict, std::span<const uint8_t> proof = {});

class ServedConnection {
public:
    ServedConnection(const Service& service, ServiceState& state) : service_(service), state_(state) {}
    ~ServedConnection();
    ServedConnection(const ServedConnection&) = delete;
    ServedConnection& operator=(const ServedConnection&) = delete;

    enum class Step { kIdle, kServed, kClose };

    void Feed(std::span<const uint8_t> bytes) { decoder_.Feed(bytes); }
    // Serves the next whole frame received, if one is in, appending what to
    // send back to `reply`. kClose: the connection is to be closed after
    // sending the reply, `note` says why.
    Step ServeNext(std::vector<uint8_t>& reply, std::string& note);
    // Feed, then every whole frame served; false as for kClose.
    bool OnBytes(std::span<const uint8_t> bytes, std::vector<uint8_t>& reply, std::string& note);

    bool Greeted() const { return stage_ == Stage::kGreeted; }
    // Bytes received that are no whole frame yet (after ServeNext gave kIdle).
    size_t Partial() const { return decoder_.Pending(); }
    uint64_t Calls() const { return calls_; }

private:
    enum class Stage { kHello, kProof, kGreeted };

    bool OnHello(const Frame& frame, std::vector<uint8_t>& reply, std::string& note);
    bool OnProof(const Frame& frame, std::vector<uint8_t>& reply, std::string& note);
    bool OnRequest(const Frame& frame, std::vector<uint8_t>& reply, std::string& note);

    const Service& service_;
    ServiceState& state_;
    FrameDecoder decoder_;
    Stage stage_ = Stage::kHello;
    Nonce clientNonce_{};
    Nonce serverNonce_{};
    uint64_t calls_ = 0;
};

}  // namespace kelvar::net
