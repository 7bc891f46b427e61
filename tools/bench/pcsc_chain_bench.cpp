// The PC/SC backend's cost: an APDU's round trip and a Mifare 1K full read
// (a search, 16 authentications, 64 block reads and a halt) by a native client of kelvar-reader
// --backend pcsc (pcscd, vpcd, kelvar-vicc behind it), next to the same
// through the virtual backend. Prints a Markdown table.
//   pcsc_chain_bench [runs]      (default 20 per figure)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "kelvar/net/remote_reader.h"
#include "kelvar/net/tcp.h"
#include "support/pcsc_daemon.h"
#include "tools/bench/summary.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvar;
using Clock = std::chrono::steady_clock;

constexpr uint16_t kLoopback[4] = {127, 0, 0, 1};
constexpr uint8_t kKey[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

struct Client {
    net::RemoteReader reader;
    bool Open(uint16_t port) {
        return port != 0 && reader.Open(net::TcpStream::Connect(kLoopback, port, net::kConnectTimeoutMs)) == kOk;
    }
    // GET CHALLENGE to the SAM: one exchange with the card.
    bool Apdu() {
        const uint8_t command[] = {0x00, 0x84, 0x00, 0x00, 0x08};
        uint8_t out[256];
        uint8_t length = 0;
        return reader.Call<12, void(int32_t, const uint8_t*, uint8_t, uint8_t*, uint8_t*)>(
                   0, command, uint8_t(sizeof command), out, &length) == kOk &&
               length == 10;
    }
    bool FullRead() {
        uint16_t tagType = 0;
        uint8_t uid[10];
        uint8_t length = 0;
        uint8_t sak = 0;
        if (reader.Call<15, void(int32_t, uint8_t, uint16_t*)>(0, uint8_t(0x52), &tagType) != kOk ||
            reader.Call<16, void(int32_t, uint8_t, uint8_t*, uint8_t*)>(0, uint8_t(0), uid, &length) != kOk ||
            reader.Call<17, void(int32_t, const uint8_t*, uint8_t, uint8_t*)>(0, uid, length, &sak) != kOk) {
            return false;
        }
        for (uint8_t sector = 0; sector < 16; ++sector) {
            if (reader.Call<21, void(int32_t, uint8_t, uint8_t, const uint8_t*)>(0, uint8_t(0x60),
                                                                                 uint8_t(sector * 4), kKey) != kOk) {
                return false;
            }
            for (uint8_t block = 0; block < 4; ++block) {
                uint8_t data[16];
                if (reader.Call<22, void(int32_t, uint8_t, uint8_t*, uint8_t*)>(0, uint8_t(sector * 4 + block), data,
                                                                              &length) != kOk) {
                    return false;
                }
            }
        }
        // Halted, the card answers the next search's request-all.
        return reader.Call<18, void(int32_t)>(0) == kOk;
    }
    bool PowerSam() {
        uint8_t atr[64];
        uint8_t length = 0;
        return reader.Call<10, void(int32_t, uint8_t)>(0, uint8_t(0)) == kOk &&
               reader.Call<11, void(int32_t, uint8_t*, uint8_t*)>(0, atr, &length) == kOk;
    }
};

// Milliseconds of each of `runs` runs of `step`; empty when one failed.
std::vector<double> Time(int runs, const std::function<bool()>& step) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!step()) return {};
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return times;
}

void Row(const char* figure, const std::vector<double>& times) {
    const Summary s = Summarise(times);
    if (s.count == 0) {
        std::printf("| %s | failed | | |\n", figure);
        return;
    }
    std::printf("| %s | %.2f | %.2f – %.2f | %zu |\n", figure, s.median, s.min, s.max, s.count);
}

// kelvar-reader with the virtual backend on a Mifare 1K field.
uint16_t VirtualServer(const fs::path& folder, pid_t& pid) {
    std::ofstream(folder / "Kelvar.ini") << "images = cards\nfield = mifare1k\n";
    const fs::path portFile = folder / "port";
    pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stderr);
        execl(KELVAR_READER_PATH, KELVAR_READER_PATH, "--listen", "127.0.0.1:0", "--config",
              (folder / "Kelvar.ini").c_str(), "--port-file", portFile.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 200; ++i) {
        unsigned port = 0;
        if (std::ifstream(portFile) >> port) return static_cast<uint16_t>(port);
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::printf("## PC/SC backend\n\nA native client of `kelvar-reader`, in milliseconds: through `--backend pcsc` "
                "(pcscd, vpcd and `kelvar-vicc` behind it), and through the virtual backend. The APDU is GET "
                "CHALLENGE to the SAM (one exchange); the full read is a search, 16 authentications and 64 block "
                "reads of a Mifare 1K. %d runs per figure.\n\n| Figure | Median | Range | Runs |\n|---|---:|---:|---:|\n",
                runs);
    const fs::path folder = fs::temp_directory_path() / ("kelvar-pcsc-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    pid_t virtualPid = 0;
    {
        Client client;
        if (client.Open(VirtualServer(folder, virtualPid)) && client.PowerSam()) {
            Row("APDU round trip, virtual backend", Time(runs, [&] { return client.Apdu(); }));
            Row("Mifare 1K full read, virtual backend", Time(runs, [&] { return client.FullRead(); }));
        } else {
            Row("virtual backend", {});
        }
    }
    pcsc_chain::StopProcess(virtualPid);
    if (const std::string missing = pcsc_chain::Missing(); !missing.empty()) {
        std::printf("\nThe PC/SC figures are missing: %s.\n", missing.c_str());
    } else {
        pcsc_chain::Daemon daemon;
        Client client;
        const bool up = daemon.Start() && daemon.PlayCard(0, "mifare1k") != 0 && daemon.PlayCard(1, "sam") != 0 &&
                        pcsc_chain::Daemon::AwaitCard(pcsc_chain::VirtualReaderName(0), true) &&
                        pcsc_chain::Daemon::AwaitCard(pcsc_chain::VirtualReaderName(1), true) &&
                        client.Open(daemon.StartServer({"--pcsc-reader", pcsc_chain::VirtualReaderName(0),
                                                        "--pcsc-sam", pcsc_chain::VirtualReaderName(1)})) &&
                        client.PowerSam();
        if (up) {
            Row("APDU round trip, PC/SC backend", Time(runs, [&] { return client.Apdu(); }));
            Row("Mifare 1K full read, PC/SC backend", Time(runs, [&] { return client.FullRead(); }));
        } else {
            std::printf("\nThe PC/SC chain did not come up: %s\n", daemon.Error().c_str());
        }
    }
    std::error_code error;
    fs::remove_all(folder, error);
    return 0;
}
