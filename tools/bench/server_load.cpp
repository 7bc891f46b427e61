// The reader server (build/native/kelvar-reader) under load: a well-behaved
// client's round trip (lib_ver) on an idle server, then with 1,000 greeted
// idle connections and a client that never reads its answers attached, while
// a 16 KiB burst of pipelined requests from another client is being served
// (a new burst every 20 calls). Prints a Markdown table.
//   server_load <kelvar-reader> [calls]      (default 5000 calls per figure)
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "kelvar/net/frame.h"
#include "kelvar/net/remote_reader.h"
#include "kelvar/net/tcp.h"
#include "tools/bench/summary.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvar::net;
using Clock = std::chrono::steady_clock;

constexpr uint16_t kLoopback[4] = {127, 0, 0, 1};
constexpr int kIdle = 1000;
constexpr size_t kBurstBytes = 16 * 1024;
constexpr int kCallsPerBurst = 20;
constexpr double kTarget = 2.0;

// kelvar-reader on a port of its own in a scratch folder, stopped when dropped.
class ServerProcess {
public:
    ServerProcess(const std::string& program, const fs::path& folder) {
        const fs::path portFile = folder / "port";
        std::ofstream(folder / "Kelvar.ini") << "images = cards\n";
        pid_ = fork();
        if (pid_ == 0) {
            execl(program.c_str(), program.c_str(), "--listen", "127.0.0.1:0", "--config",
                  (folder / "Kelvar.ini").c_str(), "--port-file", portFile.c_str(), "--max-clients",
                  std::to_string(kIdle + 8).c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 200 && port_ == 0; ++i) {
            unsigned port = 0;
            if (std::ifstream(portFile) >> port) port_ = static_cast<uint16_t>(port);
            else std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
    }
    ~ServerProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    uint16_t Port() const { return port_; }

private:
    pid_t pid_ = -1;
    uint16_t port_ = 0;
};

// A greeted connection whose socket the bench may then use directly.
struct Attached {
    RemoteReader client;
    TcpStream* socket = nullptr;

    bool Open(uint16_t port) {
        auto stream = TcpStream::Connect(kLoopback, port, kConnectTimeoutMs);
        socket = stream.get();
        return client.Open(std::move(stream)) == kelvar::kOk;
    }
};

std::vector<double> RoundTrips(RemoteReader& client, int calls) {
    std::vector<double> trips;
    for (int i = 0; i < calls; ++i) {
        uint32_t version = 0;
        const auto start = Clock::now();
        if (client.Call<1, void(uint32_t*)>(&version) != kelvar::kOk) break;
        trips.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return trips;
}

// lib_ver requests filling kBurstBytes; `count` of them.
std::vector<uint8_t> Burst(size_t& count) {
    std::vector<uint8_t> bytes;
    for (count = 0; bytes.size() < kBurstBytes; ++count) {
        std::vector<uint8_t> request;
        WireWriter out(request);
        out.Scalar(static_cast<uint32_t>(count + 1));
        out.Scalar<uint16_t>(1);
        out.Scalar<uint8_t>(1);
        const std::vector<uint8_t> frame = EncodeFrame(FrameKind::kRequest, request);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    return bytes;
}

std::string Row(const char* what, const Summary& s, const std::string& met) {
    char line[512];
    std::snprintf(line, sizeof line, "| %s | %.3f | %.3f – %.3f | %zu | %s |\n", what, s.median, s.min, s.max, s.count,
                  met.c_str());
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: server_load <kelvar-reader> [calls]\n");
        return 2;
    }
    const int calls = argc > 2 ? std::atoi(argv[2]) : 5000;
    const fs::path folder = fs::temp_directory_path() / ("kelvar-server-load-" + std::to_string(getpid()));
    fs::create_directories(folder);
    int result = 1;
    {
        ServerProcess server(argv[1], folder);
        Attached measured;
        if (server.Port() == 0 || !measured.Open(server.Port())) {
            std::fprintf(stderr, "server_load: the server could not be started or reached\n");
        } else {
            const Summary idle = Summarise(RoundTrips(measured.client, calls));

            std::vector<std::unique_ptr<Attached>> idlers;
            bool attached = true;
            for (int i = 0; i < kIdle && attached; ++i) {
                idlers.push_back(std::make_unique<Attached>());
                attached = idlers.back()->Open(server.Port());
            }
            size_t count = 0;
            const std::vector<uint8_t> burst = Burst(count);
            // Never reads: requests until neither side's buffers take more.
            Attached stalled;
            attached = attached && stalled.Open(server.Port()) && stalled.socket->SetNonBlocking();
            for (size_t offset = 0, sent = 0; attached && sent < 256 * burst.size();) {
                const int n = stalled.socket->SendSome(std::span<const uint8_t>(burst).subspan(offset));
                if (n <= 0) break;
                offset = (offset + size_t(n)) % burst.size();
                sent += size_t(n);
            }
            // Pipelines: before every few measured calls a burst, whose answers
            // it reads after them.
            Attached pipelining;
            attached = attached && pipelining.Open(server.Port());
            std::vector<double> trips;
            for (int done = 0; attached && done < calls; done += kCallsPerBurst) {
                attached = pipelining.socket->Send(burst);
                const std::vector<double> some = RoundTrips(measured.client, kCallsPerBurst);
                trips.insert(trips.end(), some.begin(), some.end());
                FrameDecoder decoder;
                uint8_t buffer[16384];
                for (size_t answers = 0; attached && answers < count;) {
                    const int n = pipelining.socket->Receive(buffer, sizeof buffer, 3000);
                    attached = n > 0;
                    if (n > 0) decoder.Feed(std::span<const uint8_t>(buffer, size_t(n)));
                    for (Frame frame; decoder.Next(frame) == FrameDecoder::Result::kFrame;) ++answers;
                }
            }
            const Summary loaded = attached ? Summarise(trips) : Summary{};

            std::string out =
                "## Reader server under load\n\nThe native `kelvar-reader` on 127.0.0.1 and a native client: one call's "
                "round trip (`lib_ver`) in milliseconds, " + std::to_string(calls) + " calls per figure.\n\n"
                "| Figure | Median | Range | Calls | Target met |\n|---|---:|---:|---:|---|\n";
            out += Row("round trip, idle server", idle, "");
            char what[160];
            std::snprintf(what, sizeof what,
                          "round trip, %d idle connections and a client that never reads attached, "
                          "a 16 KiB pipelined burst being served",
                          kIdle);
            char met[96];
            std::snprintf(met, sizeof met, "%s (under %.0f times idle)",
                          loaded.count > 0 && loaded.median < kTarget * idle.median ? "yes" : "**no**", kTarget);
            out += Row(what, loaded, met) + "\n";
            std::fputs(out.c_str(), stdout);
            result = loaded.count > 0 ? 0 : 1;
        }
    }
    std::error_code error;
    fs::remove_all(folder, error);
    return result;
}
