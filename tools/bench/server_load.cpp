// The reader server (build/native/kelvar-reader) under load: a well-behaved
// client's round trip (lib_ver) on an idle server, then with 1,000 greeted
// idle connections and a client that never reads its answers attached, while
// a 16 KiB burst of pipelined requests from another client is being served
// (a new burst every 20 calls). Then the same client's round trip, the
// server's CPU time and its log lines while it is attacked: 5,000 connections
// that never greet, 5,000 greeted idle ones, and connections waiting while the
// server has no handles left. Prints Markdown tables.
//   server_load <kelvar-reader> [calls]      (default 5000 calls per figure)
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
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

// kelvar-reader on a port of its own in a scratch folder, its log in a file
// there, stopped when dropped. `files`: its handle limit (0: as inherited).
class ServerProcess {
public:
    ServerProcess(const std::string& program, const fs::path& folder, size_t maxClients, rlim_t files = 0)
        : log_(folder / ("server-" + std::to_string(++started_) + ".log")) {
        const fs::path portFile = folder / ("port-" + std::to_string(started_));
        std::ofstream(folder / "Kelvar.ini") << "images = cards\n";
        pid_ = fork();
        if (pid_ == 0) {
            const rlimit limit{files, files};
            const int log = open(log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (log < 0 || dup2(log, STDERR_FILENO) < 0 || (files > 0 && setrlimit(RLIMIT_NOFILE, &limit) != 0)) {
                _exit(126);
            }
            close(log);
            execl(program.c_str(), program.c_str(), "--listen", "127.0.0.1:0", "--config",
                  (folder / "Kelvar.ini").c_str(), "--port-file", portFile.c_str(), "--max-clients",
                  std::to_string(maxClients).c_str(), static_cast<char*>(nullptr));
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

    // User and system time so far, from /proc.
    double CpuSeconds() const {
        std::ifstream file("/proc/" + std::to_string(pid_) + "/stat");
        std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const size_t end = stat.rfind(')');
        if (end == std::string::npos) return 0;
        std::istringstream fields(stat.substr(end + 2));
        std::string skipped;
        for (int i = 0; i < 11; ++i) fields >> skipped;  // state .. cmajflt
        unsigned long long user = 0, system = 0;
        fields >> user >> system;
        return double(user + system) / double(sysconf(_SC_CLK_TCK));
    }
    size_t LogLines() const {
        std::ifstream file(log_);
        return size_t(std::count(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>(), '\n'));
    }

private:
    static inline int started_ = 0;
    fs::path log_;
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

// Round trips one millisecond apart until `over` says so.
std::vector<double> PacedRoundTrips(RemoteReader& client, const std::function<bool()>& over) {
    std::vector<double> trips;
    while (!over()) {
        const std::vector<double> one = RoundTrips(client, 1);
        if (one.empty()) break;
        trips.push_back(one.front());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return trips;
}

// Connections that connect and then send nothing, closed when dropped.
struct Silent {
    std::vector<int> sockets;
    void Open(uint16_t port, int count) {
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_port = htons(port);
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        for (int i = 0; i < count; ++i) {
            const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            if (fd < 0) break;
            sockets.push_back(fd);
            connect(fd, reinterpret_cast<sockaddr*>(&at), sizeof at);
        }
    }
    ~Silent() {
        for (const int fd : sockets) close(fd);
    }
};

struct Attack {
    std::string what;
    Summary trips;
    double cpuShare = 0;  // of one core, over the attack
    size_t logLines = 0;
};

// The measured client's paced round trips, the server's CPU share and its
// new log lines while `attack` runs (it returns when the attack is over).
Attack Measure(const std::string& what, const ServerProcess& server, RemoteReader& client,
               const std::function<void()>& attack) {
    const size_t lines = server.LogLines();
    const double cpu = server.CpuSeconds();
    const auto start = Clock::now();
    std::atomic<bool> over{false};
    std::thread attacker([&] {
        attack();
        over = true;
    });
    const std::vector<double> trips = PacedRoundTrips(client, [&] { return over.load(); });
    attacker.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return {what, Summarise(trips), (server.CpuSeconds() - cpu) / seconds, server.LogLines() - lines};
}

constexpr int kAttackers = 5000;
constexpr rlim_t kFewHandles = 64;
constexpr int kWaiting = 300;

std::vector<Attack> Attacks(const std::string& program, const fs::path& folder) {
    using std::chrono::milliseconds;
    std::vector<Attack> attacks;
    // `count` connections opened at once that never greet, held for `span`.
    const auto silent = [&](const std::string& what, rlim_t files, int count, milliseconds span) {
        ServerProcess server(program, folder, 64, files);
        Attached measured;
        if (server.Port() == 0 || !measured.Open(server.Port())) return false;
        attacks.push_back(Measure(what, server, measured.client, [&] {
            Silent connections;
            connections.Open(server.Port(), count);
            std::this_thread::sleep_for(span);
        }));
        return true;
    };
    // Held past the greeting's deadline.
    if (!silent("5,000 connections opened at once, never greeting (64 served at most)", 0, kAttackers,
                milliseconds(3000))) {
        return {};
    }
    {
        ServerProcess server(program, folder, kAttackers + 8);
        Attached measured;
        if (server.Port() == 0 || !measured.Open(server.Port())) return {};
        std::vector<std::unique_ptr<Attached>> idle;
        for (int i = 0; i < kAttackers; ++i) {
            idle.push_back(std::make_unique<Attached>());
            if (!idle.back()->Open(server.Port())) return {};
        }
        attacks.push_back(Measure("5,000 greeted idle connections (`--max-clients 5008`)", server, measured.client,
                                  [] { std::this_thread::sleep_for(milliseconds(3000)); }));
    }
    if (!silent("300 connections waiting, the server limited to 64 handles, for 9 s", kFewHandles, kWaiting,
                milliseconds(9000))) {
        return {};
    }
    return attacks;
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
    // 5,000 connections at once: as many handles as the system lets us have.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    int result = 1;
    {
        ServerProcess server(argv[1], folder, kIdle + 8);
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

            const std::vector<Attack> attacks = Attacks(argv[1], folder);
            out += "## Reader server under attack\n\nAnother client's round trip (`lib_ver`, one call a millisecond) "
                   "in milliseconds while the attack lasts, and the server's CPU time (share of one core) and log "
                   "lines over the same span.\n\n"
                   "| Attack | Median | Range | Calls | Server CPU | Log lines |\n|---|---:|---:|---:|---:|---:|\n";
            for (const Attack& a : attacks) {
                char line[512];
                std::snprintf(line, sizeof line, "| %s | %.3f | %.3f – %.3f | %zu | %.1f %% | %zu |\n", a.what.c_str(),
                              a.trips.median, a.trips.min, a.trips.max, a.trips.count, 100 * a.cpuShare, a.logLines);
                out += line;
            }
            std::fputs(out.c_str(), stdout);
            result = loaded.count > 0 && attacks.size() == 3 ? 0 : 1;
        }
    }
    std::error_code error;
    fs::remove_all(folder, error);
    return result;
}
