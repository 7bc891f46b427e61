#include "kelvar/net/server_options.h"

#include <charconv>

namespace kelvar::net {

const char kServerUsage[] =
    "usage: kelvar-reader [--listen ADDR:PORT] [--config FILE] [--port-file FILE]\n"
    "                     [--secret-file FILE] [--insecure] [--exclusive] [--max-clients N]\n"
    "                     [--latency MS] [--drop-every N] [--close-after N] [--garble-every N]\n"
    "                     [--backend virtual|pcsc] [--pcsc-reader TEXT] [--pcsc-sam TEXT] [--list-readers]\n"
    "  --listen        address and port to serve (default 127.0.0.1:2000; port 0 picks one)\n"
    "  --config        reader configuration (default: KELVAR_CONFIG, else ./Kelvar.ini)\n"
    "  --port-file     write the port served to this file once listening\n"
    "  --secret-file   clients must prove they hold the secret in this file\n"
    "  --insecure      allow an address other than loopback (needs --secret-file): card\n"
    "                  keys and passwords then cross the network in clear\n"
    "  --exclusive     one client at a time holds the reader; the others get status 9\n"
    "  --max-clients   connections served at once (default 64); more are refused\n"
    "  --latency       wait MS milliseconds before every answer\n"
    "  --drop-every    never send every Nth answer\n"
    "  --close-after   close a connection after N calls instead of answering\n"
    "  --garble-every  flip a byte in every Nth answer\n"
    "  --backend       virtual (the virtual reader, default) or pcsc (the system's PC/SC readers)\n"
    "  --pcsc-reader   the first PC/SC reader whose name contains TEXT (default: the first reader)\n"
    "  --pcsc-sam      the PC/SC reader that plays the SAM slot (default: none)\n"
    "  --list-readers  print every PC/SC reader, its state and its card's ATR, then exit\n";

namespace {

template <typename T>
bool Number(const std::string& text, T& value, uint64_t max) {
    uint64_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || parsed > max) return false;
    value = static_cast<T>(parsed);
    return true;
}

}  // namespace

bool ParseListenAddress(const std::string& text, uint16_t address[4], uint16_t& port) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || !Number(text.substr(colon + 1), port, 65535)) return false;
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t dot = i < 3 ? text.find('.', start) : colon;
        if (dot == std::string::npos || dot > colon) return false;
        if (!Number(text.substr(start, dot - start), address[i], 255)) return false;
        start = dot + 1;
    }
    return true;
}

bool IsLoopback(const uint16_t address[4]) { return address[0] == 127; }

bool IsBackendName(const std::string& name) { return name == kBackendVirtual || name == kBackendPcsc; }

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args, std::string& error) {
    ServerOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--list-readers") {
            options.listReaders = true;
            continue;
        }
        if (name == "--exclusive" || name == "--insecure") {
            (name == "--exclusive" ? options.exclusive : options.insecure) = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = name + ": unknown option or missing value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (name == "--listen") {
            ok = ParseListenAddress(value, options.address, options.port);
        } else if (name == "--config") {
            options.config = value;
        } else if (name == "--port-file") {
            options.portFile = value;
        } else if (name == "--secret-file") {
            options.secretFile = value;
            ok = !value.empty();
        } else if (name == "--max-clients") {
            ok = Number(value, options.maxClients, 100000) && options.maxClients > 0;
        } else if (name == "--backend") {
            options.backend = value;
            ok = IsBackendName(value);
        } else if (name == "--pcsc-reader") {
            options.pcscReader = value;
        } else if (name == "--pcsc-sam") {
            options.pcscSam = value;
        } else if (name == "--latency") {
            ok = Number(value, options.faults.latencyMs, 60000);
        } else if (name == "--drop-every") {
            ok = Number(value, options.faults.dropEvery, UINT32_MAX);
        } else if (name == "--close-after") {
            ok = Number(value, options.faults.closeAfter, UINT32_MAX);
        } else if (name == "--garble-every") {
            ok = Number(value, options.faults.garbleEvery, UINT32_MAX);
        } else {
            error = name + ": unknown option";
            return std::nullopt;
        }
        if (!ok) {
            error = name + ": bad value \"" + value + "\"";
            return std::nullopt;
        }
    }
    if (!options.help && !IsLoopback(options.address) && (options.secretFile.empty() || !options.insecure)) {
        error = "--listen: an address other than loopback needs --secret-file and --insecure (card keys and "
                "passwords would cross the network in clear; prefer an SSH tunnel to a server on 127.0.0.1)";
        return std::nullopt;
    }
    return options;
}

}  // namespace kelvar::net
