// The server against careless and hostile clients on loopback: one that never
// reads its answers, one that pipelines, one that never greets or stops in the
// middle of a frame,
// more clients than allowed, a burst of connections, and no handles left to
// accept with.
#include "kelvar/net/reader_server.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>

#include <atomic>
#include <filesystem>

#include "loopback_server.h"

namespace {

using namespace loopback;

TEST(ReaderServer, AClientThatNeverReadsHoldsNoOneUpAndIsClosed) {
    Served s(ServerLimits{.drain = 500ms});
    RawClient stalled;
    const int small = 4096;
    setsockopt(stalled.fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    ASSERT_TRUE(stalled.Connect(s.Port()));
    ASSERT_TRUE(stalled.Greet());
    // Requests pipelined without a pause until the server closes the connection.
    std::thread flood([&] {
        const std::vector<uint8_t> request = VersionRequest();
        std::vector<uint8_t> burst;
        for (int i = 0; i < 1000; ++i) burst.insert(burst.end(), request.begin(), request.end());
        while (send(stalled.fd, burst.data(), burst.size(), MSG_NOSIGNAL) > 0) {
        }
    });

    RemoteReader other;
    ASSERT_EQ(s.Open(other), kOk);
    for (int i = 0; i < 20; ++i) {
        uint32_t version = 0;
        ASSERT_EQ((other.Call<1, void(uint32_t*)>(&version)), kOk) << "call " << i;
        EXPECT_EQ(version, 7u);
    }
    EXPECT_TRUE(s.AwaitLine("answers not read for 500 ms"));
    flood.join();
}

// lib_ver taking a millisecond, counted.
std::atomic<int> slowCalls{0};
bool ServeSlowly(uint16_t ordinal, WireReader& in, WireWriter& out) {
    std::this_thread::sleep_for(1ms);
    ++slowCalls;
    return ServeVersion(ordinal, in, out);
}

TEST(ReaderServer, APipeliningClientGetsOneCallATurnBesideAnother) {
    Served s({}, Service{ServeSlowly});
    RawClient pipelining;
    ASSERT_TRUE(pipelining.Connect(s.Port()) && pipelining.Greet());
    RemoteReader other;
    ASSERT_EQ(s.Open(other), kOk);
    std::vector<uint8_t> burst;
    for (int i = 0; i < 300; ++i) {
        const std::vector<uint8_t> request = VersionRequest();
        burst.insert(burst.end(), request.begin(), request.end());
    }
    const int before = slowCalls;
    ASSERT_TRUE(pipelining.Send(burst));
    while (slowCalls < before + 5) std::this_thread::sleep_for(1ms);
    // The call under way, at most one of the burst's, and this one.
    const int sent = slowCalls;
    EXPECT_EQ(Served::Version(other), kOk);
    EXPECT_LE(slowCalls - sent, 4);
}

TEST(ReaderServer, ClosesSilentAndHalfSentConnectionsButNotIdleGreetedOnes) {
    Served s(ServerLimits{.hello = 300ms, .frame = 300ms});
    RawClient silent, halfSent, idle;
    ASSERT_TRUE(silent.Connect(s.Port()) && halfSent.Connect(s.Port()) && idle.Connect(s.Port()));
    ASSERT_TRUE(halfSent.Greet() && idle.Greet());
    const std::vector<uint8_t> request = VersionRequest();
    ASSERT_TRUE(halfSent.Send(std::vector<uint8_t>(request.begin(), request.end() - 1)));

    EXPECT_TRUE(silent.ClosedWithin(2000ms));
    EXPECT_TRUE(halfSent.ClosedWithin(2000ms));
    EXPECT_EQ(s.Count("no greeting within 300 ms"), 1u);
    EXPECT_EQ(s.Count("a frame not completed within 300 ms"), 1u);
    // A greeted client that waits still gets its answer.
    ASSERT_TRUE(idle.Send(request));
    uint8_t answer[64];
    EXPECT_GT(recv(idle.fd, answer, sizeof answer, 0), 0);
}

TEST(ReaderServer, RefusesClientsPastTheLimitWithALogLine) {
    Served s(ServerLimits{.maxClients = 2});
    RemoteReader first, second, third;
    ASSERT_EQ(s.Open(first), kOk);
    ASSERT_EQ(s.Open(second), kOk);
    EXPECT_EQ(s.Open(third), kConnectFailed);
    EXPECT_TRUE(s.AwaitLine("refused: 2 clients connected"));
    first.Close();
    Status again = kConnectFailed;
    for (int i = 0; i < 100 && again != kOk; ++i) {
        std::this_thread::sleep_for(20ms);
        again = s.Open(third);
    }
    EXPECT_EQ(again, kOk);
}

TEST(ReaderServer, ABurstOfConnectionsIsHeldUntilAccepted) {
    TcpListener listener;  // listening, not yet accepting
    std::string error;
    ASSERT_TRUE(listener.Listen(kLoopback, 0, error)) << error;
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(listener.Port());
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::vector<pollfd> burst(200);
    for (pollfd& p : burst) {
        p = {socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0), POLLOUT, 0};
        ASSERT_GE(p.fd, 0);
        connect(p.fd, reinterpret_cast<sockaddr*>(&at), sizeof at);
    }
    // A connection the backlog has no room for is retried after a second.
    size_t connected = 0;
    for (auto until = std::chrono::steady_clock::now() + 500ms;
         connected < burst.size() && std::chrono::steady_clock::now() < until;) {
        poll(burst.data(), burst.size(), 50);
        connected =
            size_t(std::count_if(burst.begin(), burst.end(), [](const pollfd& p) { return p.revents & POLLOUT; }));
    }
    for (const pollfd& p : burst) close(p.fd);
    EXPECT_EQ(connected, burst.size());
}

TEST(ReaderServer, WithoutHandlesToAcceptWithTheServerBacksOffAndLogsLittle) {
    Served s;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    const auto open = std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                    std::filesystem::directory_iterator());
    rlimit low = saved;
    low.rlim_cur = rlim_t(open) + 8;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    // Every handle taken first, then connected: the server has none to accept with.
    std::vector<int> clients;
    for (int fd; (fd = socket(AF_INET, SOCK_STREAM, 0)) >= 0;) clients.push_back(fd);
    ASSERT_FALSE(clients.empty());
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(s.Port());
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (const int fd : clients) connect(fd, reinterpret_cast<sockaddr*>(&at), sizeof at);
    std::this_thread::sleep_for(1600ms);
    const std::vector<std::string> lines = s.Lines("could not be accepted");
    for (const int fd : clients) close(fd);
    setrlimit(RLIMIT_NOFILE, &saved);
    // The failed accepts, logged or counted: without the pause thousands a
    // second, without the throttle as many lines.
    size_t failures = lines.size();
    for (const std::string& line : lines) {
        if (line.ends_with(" more like it not logged)")) failures += std::stoul(line.substr(line.rfind(" (") + 2));
    }
    EXPECT_GE(lines.size(), 2u);
    EXPECT_LE(lines.size(), 8u);
    EXPECT_LE(failures, 20u);
    EXPECT_GE(s.Count("more like it not logged"), 1u);
}

}  // namespace
