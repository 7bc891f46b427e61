// A reader server on a loopback port in a thread of the test, serving one
// function (lib_ver answers 7), and a plain socket for clients that
// misbehave.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "kelvar/net/function_list_digest.h"
#include "kelvar/net/marshal.h"
#include "kelvar/net/reader_server.h"
#include "kelvar/net/remote_reader.h"

namespace loopback {

using namespace kelvar;
using namespace kelvar::net;
using namespace std::chrono_literals;

inline constexpr uint16_t kLoopback[4] = {127, 0, 0, 1};
using LibVer = Marshal<1, void(uint32_t*)>;

inline bool ServeVersion(uint16_t ordinal, WireReader& in, WireWriter& out) {
    if (ordinal != 1) return false;
    return LibVer::Serve(in, out, [](uint32_t* version) {
        *version = 7;
        return int32_t(kOk);
    });
}

class Served {
public:
    explicit Served(ServerLimits limits = {}, Service service = {ServeVersion})
        : server_(std::move(service), [this](const std::string& line) { Note(line); }, limits) {
        std::string error;
        EXPECT_TRUE(server_.Listen(kLoopback, 0, error)) << error;
        thread_ = std::thread([this] { server_.Run(); });
    }
    ~Served() {
        server_.Stop();
        thread_.join();
    }
    uint16_t Port() const { return server_.Port(); }
    std::vector<std::string> Lines(const std::string& part) {
        const std::lock_guard lock(mutex_);
        std::vector<std::string> found;
        std::copy_if(lines_.begin(), lines_.end(), std::back_inserter(found),
                     [&](const std::string& line) { return line.find(part) != std::string::npos; });
        return found;
    }
    size_t Count(const std::string& part) { return Lines(part).size(); }
    // Waits up to 5 s for a line holding `part`.
    bool AwaitLine(const std::string& part) {
        for (int i = 0; i < 500 && Count(part) == 0; ++i) std::this_thread::sleep_for(10ms);
        return Count(part) > 0;
    }
    Status Open(RemoteReader& client, std::span<const uint8_t> secret = {}) {
        return client.Open(TcpStream::Connect(kLoopback, Port(), kConnectTimeoutMs), secret);
    }
    static int32_t Version(RemoteReader& client) {
        uint32_t version = 0;
        const int32_t status = client.Call<1, void(uint32_t*)>(&version);
        return status == kOk && version != 7 ? -1 : status;
    }

private:
    void Note(const std::string& line) {
        const std::lock_guard lock(mutex_);
        lines_.push_back(line);
    }

    std::mutex mutex_;
    std::vector<std::string> lines_;
    ReaderServer server_;
    std::thread thread_;
};

// A plain socket.
struct RawClient {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    ~RawClient() {
        if (fd >= 0) close(fd);
    }
    bool Connect(uint16_t port) {
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_port = htons(port);
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return connect(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0;
    }
    bool Send(const std::vector<uint8_t>& bytes) {
        return send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
    }
    // The next whole frame, waiting at most 2 s.
    bool Receive(Frame& frame) {
        timeval limit{2, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        for (;;) {
            if (decoder.Next(frame) == FrameDecoder::Result::kFrame) return true;
            uint8_t buffer[4096];
            const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) return false;
            decoder.Feed(std::span<const uint8_t>(buffer, size_t(n)));
        }
    }
    // Hello, challenge and an empty proof: a greeting without a secret.
    bool Greet() {
        Frame frame;
        return Send(Hello()) && Receive(frame) && frame.kind == FrameKind::kChallenge &&
               Send(EncodeFrame(FrameKind::kProof, {})) && Receive(frame) && frame.kind == FrameKind::kWelcome;
    }
    static std::vector<uint8_t> Hello() {
        std::vector<uint8_t> hello;
        WireWriter out(hello);
        out.Scalar<uint16_t>(kProtocolVersion);
        out.Scalar(FunctionListDigest());
        const Nonce nonce{};
        out.Bytes(nonce.data(), nonce.size());
        return EncodeFrame(FrameKind::kHello, hello);
    }
    // True when the server closed the connection within `wait`.
    bool ClosedWithin(std::chrono::milliseconds wait) {
        timeval limit{time_t(wait.count() / 1000), suseconds_t(wait.count() % 1000 * 1000)};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        uint8_t byte;
        for (;;) {
            const ssize_t n = recv(fd, &byte, 1, 0);
            if (n == 0 || (n < 0 && errno == ECONNRESET)) return true;
            if (n < 0) return false;
        }
    }

    FrameDecoder decoder;
};

inline std::vector<uint8_t> VersionRequest() {
    std::vector<uint8_t> request;
    WireWriter out(request);
    out.Scalar<uint32_t>(1);
    uint32_t version = 0;
    LibVer::EncodeRequest(out, &version);
    return EncodeFrame(FrameKind::kRequest, request);
}

}  // namespace loopback
