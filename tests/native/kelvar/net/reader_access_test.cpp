// Who may use a served reader: with a shared secret only clients that prove
// it, never by replaying another's greeting, and a server that proves it too;
// with --exclusive one connection at a time. And a client that never takes
// an answer meant for another request.
#include <gtest/gtest.h>

#include "kelvar/crypto/hmac_sha256.h"
#include "loopback_server.h"

namespace {

using namespace loopback;

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

const std::vector<uint8_t> kSecret = Bytes("a secret of thirty-two bytes....");

TEST(ReaderAccess, HmacSha256GivesTheStandardsAnswer) {
    // RFC 4231, test case 2.
    const auto mac = HmacSha256(Bytes("Jefe"), Bytes("what do ya want for nothing?"));
    ASSERT_TRUE(mac.has_value());
    const Sha256Mac expected{0x5b, 0xdc, 0xc1, 0x46, 0xbf, 0x60, 0x75, 0x4e, 0x6a, 0x04, 0x24,
                             0x26, 0x08, 0x95, 0x75, 0xc7, 0x5a, 0x00, 0x3f, 0x08, 0x9d, 0x27,
                             0x39, 0x83, 0x9d, 0xec, 0x58, 0xb9, 0x64, 0xec, 0x38, 0x43};
    EXPECT_EQ(*mac, expected);
}

TEST(ReaderAccess, WithASecretOnlyClientsProvingItConnect) {
    Served s({}, Service{ServeVersion, {}, kSecret});
    RemoteReader right, wrong, none;
    ASSERT_EQ(s.Open(right, kSecret), kOk);
    EXPECT_EQ(Served::Version(right), kOk);
    EXPECT_EQ(s.Open(wrong, Bytes("another secret, also long enough")), kConnectFailed);
    EXPECT_EQ(s.Open(none), kConnectFailed);
    EXPECT_TRUE(s.AwaitLine("wrong shared secret"));
    EXPECT_TRUE(s.AwaitLine("no shared secret given"));
    EXPECT_EQ(s.Count("error: client 127.0.0.1:"), 2u);
    EXPECT_EQ(Served::Version(right), kOk);

    // A server without the secret cannot prove it: the client does not stay.
    Served open;
    RemoteReader careful;
    EXPECT_EQ(open.Open(careful, kSecret), kConnectFailed);
}

TEST(ReaderAccess, AReplayedGreetingFails) {
    Served s({}, Service{ServeVersion, {}, kSecret});
    // A client's greeting as it crossed the wire ...
    struct Recording : ByteStream {
        std::unique_ptr<TcpStream> stream;
        std::vector<std::vector<uint8_t>> sent;
        bool Send(std::span<const uint8_t> bytes) override {
            sent.emplace_back(bytes.begin(), bytes.end());
            return stream->Send(bytes);
        }
        int Receive(uint8_t* into, size_t capacity, int timeoutMs) override {
            return stream->Receive(into, capacity, timeoutMs);
        }
    };
    auto recording = std::make_unique<Recording>();
    recording->stream = TcpStream::Connect(kLoopback, s.Port(), kConnectTimeoutMs);
    Recording& wire = *recording;
    RemoteReader client;
    ASSERT_EQ(client.Open(std::move(recording), kSecret), kOk);
    ASSERT_EQ(wire.sent.size(), 2u);  // hello, proof

    // ... sent again on a connection of its own meets a new challenge.
    RawClient replay;
    ASSERT_TRUE(replay.Connect(s.Port()));
    Frame frame;
    ASSERT_TRUE(replay.Send(wire.sent[0]) && replay.Receive(frame));
    EXPECT_EQ(frame.kind, FrameKind::kChallenge);
    ASSERT_TRUE(replay.Send(wire.sent[1]) && replay.Receive(frame));
    ASSERT_EQ(frame.kind, FrameKind::kWelcome);
    EXPECT_EQ(frame.payload, (std::vector<uint8_t>{uint8_t(Verdict::kNotAuthenticated), 0, 0, 0}));
    EXPECT_TRUE(replay.ClosedWithin(2000ms));
}

TEST(ReaderAccess, ExclusiveServingLetsOneConnectionHoldTheReader) {
    Served s({}, Service{ServeVersion, {}, {}, true});
    RemoteReader first, second;
    ASSERT_EQ(s.Open(first), kOk);
    ASSERT_EQ(s.Open(second), kOk);
    EXPECT_EQ(Served::Version(first), kOk);
    uint32_t version = 0x55;
    EXPECT_EQ((second.Call<1, void(uint32_t*)>(&version)), kReaderBusy);
    EXPECT_EQ(version, 0x55u);
    EXPECT_TRUE(second.IsOpen());
    first.Close();
    int32_t status = kReaderBusy;
    for (int i = 0; i < 100 && status == kReaderBusy; ++i) {
        std::this_thread::sleep_for(20ms);
        status = Served::Version(second);
    }
    EXPECT_EQ(status, kOk);
}

// A server in memory that sends its first answer twice.
class AnswersTwice : public ByteStream {
public:
    bool Send(std::span<const uint8_t> bytes) override {
        std::vector<uint8_t> reply;
        std::string note;
        served_.OnBytes(bytes, reply, note);
        if (reply.size() > 3 && reply[3] == uint8_t(FrameKind::kAnswer) && answers_++ == 0) {
            reply.insert(reply.end(), reply.begin(), reply.end());
        }
        pending_.insert(pending_.end(), reply.begin(), reply.end());
        return true;
    }
    int Receive(uint8_t* into, size_t capacity, int) override {
        const size_t n = std::min(capacity, pending_.size());
        if (n == 0) return kStreamClosed;
        std::copy_n(pending_.begin(), n, into);
        pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(n));
        return int(n);
    }

private:
    const Service service_{ServeVersion};
    ServiceState state_;
    ServedConnection served_{service_, state_};
    std::vector<uint8_t> pending_;
    int answers_ = 0;
};

TEST(ReaderAccess, AnAnswerToAnEarlierRequestIsABadAnswerAndClosesTheConnection) {
    RemoteReader client;
    ASSERT_EQ(client.Open(std::make_unique<AnswersTwice>()), kOk);
    EXPECT_EQ(Served::Version(client), kOk);
    uint32_t version = 0;
    EXPECT_EQ((client.Call<1, void(uint32_t*)>(&version)), kBadAnswer);
    EXPECT_EQ(version, 0u);
    EXPECT_FALSE(client.IsOpen());
}

}  // namespace
