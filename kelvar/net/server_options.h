// The reader server's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kelvar/net/reader_service.h"

namespace kelvar::net {

inline constexpr uint16_t kDefaultServerPort = 2000;

struct ServerOptions {
    uint16_t address[4] = {127, 0, 0, 1};
    uint16_t port = kDefaultServerPort;
    std::string config;      // empty: KELVAR_CONFIG, else Kelvar.ini in the working folder
    std::string portFile;    // the port listened on is written here when given
    std::string secretFile;  // the shared secret clients must prove; none when empty
    size_t maxClients = 64;
    bool exclusive = false;  // one connection at a time holds the reader
    bool insecure = false;   // listening on anything but loopback was asked for knowingly
    FaultOptions faults;
    // The reader behind the server; unset: as the configuration says, else the virtual one.
    std::optional<std::string> backend;     // "virtual" or "pcsc"
    std::optional<std::string> pcscReader;  // part of the PC/SC reader's name
    std::optional<std::string> pcscSam;     // part of the name of the reader playing the SAM slot
    bool listReaders = false;
    bool help = false;
};

// The options, or nothing with `error` set. Listening on anything but
// loopback needs a secret file and --insecure.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args, std::string& error);

// "a.b.c.d:port" into its parts.
bool ParseListenAddress(const std::string& text, uint16_t address[4], uint16_t& port);

bool IsLoopback(const uint16_t address[4]);

inline constexpr char kBackendVirtual[] = "virtual";
inline constexpr char kBackendPcsc[] = "pcsc";
bool IsBackendName(const std::string& name);

extern const char kServerUsage[];

}  // namespace kelvar::net
