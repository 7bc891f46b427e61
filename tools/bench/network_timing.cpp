#include "tools/bench/network_timing.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "kelvar/reader/reader_config.h"
#include "support/kelvar_exports.h"
#include "support/reader_server_process.h"
#include "tools/bench/host/stopwatch.h"
#include "tools/bench/summary.h"
#include "vantrel/reader/reader_library.h"

namespace {

constexpr int kCallsPerRun = 200;
constexpr double kRoundTripTargetMs = 1.0;
constexpr double kReadRatioTarget = 1.2;
constexpr uint16_t kBuiltIn[4] = {0, 0, 0, 0};
constexpr uint16_t kLoopback[4] = {127, 0, 0, 1};
constexpr uint8_t kTransportKey[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

std::string Format(const char* format, auto... values) {
    char buffer[512];
    std::snprintf(buffer, sizeof(buffer), format, values...);
    return buffer;
}

std::filesystem::path ConfigFile() {
    wchar_t value[MAX_PATH] = {};
    const std::string_view name = kelvar::kReaderConfigVariable;
    const DWORD length = GetEnvironmentVariableW(std::wstring(name.begin(), name.end()).c_str(), value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::filesystem::path(value) : std::filesystem::path();
}

// Selects the first card of the field (the Mifare 4K of the default field).
bool Search(KelvarExports& reader) {
    uint16_t tagType = 0;
    uint8_t uid[1024] = {};
    uint8_t length = 0;
    uint8_t sak = 0;
    return reader.rf_antenna_sta(0, 0) == 0 && reader.rf_init_type(0, 'A') == 0 &&
           reader.rf_antenna_sta(0, 1) == 0 && reader.rf_request(0, 0x52, &tagType) == 0 &&
           reader.rf_anticoll(0, 4, uid, &length) == 0 && reader.rf_select(0, uid, length, &sak) == 0;
}

// All 40 sectors, each authenticated with the transport key and read block by block.
bool ReadMifare4K(KelvarExports& reader) {
    if (!Search(reader)) return false;
    uint8_t data[1024] = {};
    uint8_t length = 0;
    for (int sector = 0; sector < 40; ++sector) {
        const int first = sector < 32 ? sector * 4 : 128 + (sector - 32) * 16;
        const int blocks = sector < 32 ? 4 : 16;
        if (reader.rf_M1_authentication2(0, 0x60, static_cast<uint8_t>(first), kTransportKey) != 0) return false;
        for (int block = first; block < first + blocks; ++block) {
            if (reader.rf_M1_read(0, static_cast<uint8_t>(block), data, &length) != 0) return false;
        }
    }
    return true;
}

std::vector<double> TimeReads(KelvarExports& reader, int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double start = NowMs();
        if (!ReadMifare4K(reader)) break;
        times.push_back(NowMs() - start);
    }
    return times;
}

std::string Ms(double ms) { return Format("%.3f", ms); }

}  // namespace

std::string NetworkSection(int runs) {
    std::string out =
        "## Network reader\n\nKelvar.dll connected to kelvar-reader.exe on 127.0.0.1 against its built-in "
        "reader, both on the same configuration. Round trip: one `lib_ver` call, median of " +
        Format("%d", kCallsPerRun) +
        " calls per run over all runs. Mifare 4K full read: search, then each of the 40 sectors "
        "authenticated and its blocks read one by one.\n\n";
    KelvarExports reader;
    ReaderModule module;
    ReaderServerProcess server;
    const std::filesystem::path config = ConfigFile();
    if (config.empty() || !module.Load(L"Kelvar.dll", reader) || !server.Start(config)) {
        return out + "The server or the library could not be started; nothing measured.\n\n";
    }

    std::fprintf(stderr, "bench: network reader\n");
    reader.rf_init_com(0, kBuiltIn);
    const Summary builtIn = Summarise(TimeReads(reader, runs));
    std::vector<double> calls;
    Summary network;
    if (reader.rf_init_com(server.Port(), kLoopback) == 0) {
        uint32_t version = 0;
        for (int i = 0; i < runs * kCallsPerRun; ++i) {
            const double start = NowMs();
            if (reader.lib_ver(&version) != 0) break;
            calls.push_back(NowMs() - start);
        }
        network = Summarise(TimeReads(reader, runs));
    }
    reader.rf_init_com(0, kBuiltIn);
    reader.close_connection();

    const Summary trip = Summarise(calls);
    const double ratio = builtIn.median > 0 ? network.median / builtIn.median : 0;
    out += "| Figure | Median | Range | Runs | Target met |\n|---|---:|---:|---:|---|\n";
    out += Format("| round trip of one call | %s | %s – %s | %zu | %s (under %.0f ms) |\n", Ms(trip.median).c_str(),
                  Ms(trip.min).c_str(), Ms(trip.max).c_str(), trip.count,
                  trip.count > 0 && trip.median < kRoundTripTargetMs ? "yes" : "**no**", kRoundTripTargetMs);
    out += Format("| Mifare 4K read, built-in | %s | %s – %s | %zu | |\n", Ms(builtIn.median).c_str(),
                  Ms(builtIn.min).c_str(), Ms(builtIn.max).c_str(), builtIn.count);
    out += Format("| Mifare 4K read, network | %s | %s – %s | %zu | |\n\n", Ms(network.median).c_str(),
                  Ms(network.min).c_str(), Ms(network.max).c_str(), network.count);
    out += Format("Network against built-in: **%.2f** times as long (target at most %.1f: %s).\n\n", ratio,
                  kReadRatioTarget, network.count > 0 && builtIn.count > 0 && ratio <= kReadRatioTarget ? "yes" : "**no**");
    return out;
}
