// Replaying a call journal: each call of a saved journal made again, on the
// built-in virtual reader or on a reader server, and every call whose status
// or answered bytes differ from the journal's reported.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kelvar/net/remote_reader.h"
#include "vantrel/journal/function_catalog.h"
#include "vantrel/journal/journal_files.h"

namespace replay {

// Where the calls go.
class Target {
public:
    virtual ~Target() = default;
    // What a journal's rf_init_com does here: opens the connection (kOk or a status).
    virtual int32_t Connect() = 0;
    // What its close function does.
    virtual void Disconnect() = 0;
    // The connection the calls go over; null: the linked library.
    virtual kelvar::net::RemoteReader* Remote() = 0;
};

// The library linked into this program, on its current reader.
std::unique_ptr<Target> BuiltInTarget();
// A reader server at `address`:`port`.
std::unique_ptr<Target> ServerTarget(const uint16_t address[4], uint16_t port);

struct Outcome {
    size_t replayed = 0;
    size_t differing = 0;
    size_t notReplayed = 0;        // masked keys, or arguments the function cannot take
    int32_t connectStatus = 0;     // not 0: the reader could not be reached, nothing was replayed
    std::vector<std::string> lines;  // what differs, a call at a time

    bool Same() const { return differing == 0 && notReplayed == 0; }
};

// Connects the target, then makes every call of `journal` in order; a target
// that cannot be reached replays nothing.
Outcome Replay(const journal::ParsedJournal& journal, Target& target);

}  // namespace replay
