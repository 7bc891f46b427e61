#include "twin_readers.h"

#include <span>

#include "kelvar/net/byte_stream.h"
#include "kelvar/net/reader_service.h"
#include "kelvar/net/tcp.h"
#include "kelvar/reader/reader_config.h"
#include "kelvar/server/served_functions.h"

namespace fuzzing {

namespace {

using namespace kelvar;
using namespace kelvar::net;

constexpr uint16_t kBuiltIn[4] = {0, 0, 0, 0};
constexpr uint16_t kLoopback[4] = {127, 0, 0, 1};

// The server's side of a connection, served in the caller's thread on
// `reader`: what is sent is answered at once.
class ServedStream : public ByteStream {
public:
    explicit ServedStream(VirtualReader& reader) : reader_(reader), served_(service_, state_) {}

    bool Send(std::span<const uint8_t> bytes) override {
        if (closed_) return false;
        VirtualReader* const caller = tReader;
        tReader = &reader_;
        std::string note;
        closed_ = !served_.OnBytes(bytes, pending_, note);
        tReader = caller;
        return true;
    }
    int Receive(uint8_t* into, size_t capacity, int) override {
        const size_t n = std::min(capacity, pending_.size() - read_);
        if (n == 0) return kStreamClosed;
        std::copy_n(pending_.begin() + std::ptrdiff_t(read_), n, into);
        read_ += n;
        if (read_ == pending_.size()) {
            pending_.clear();
            read_ = 0;
        }
        return int(n);
    }

private:
    VirtualReader& reader_;
    const Service service_{server::ServeLocalCall};
    ServiceState state_;
    ServedConnection served_;
    std::vector<uint8_t> pending_;
    size_t read_ = 0;
    bool closed_ = false;
};

}  // namespace

std::unique_ptr<VirtualReader> MakeTestReader() {
    FieldConfig config;
    config.field = DefaultFieldOrder();
    auto counter = std::make_shared<uint8_t>(0);
    auto reader = std::make_unique<VirtualReader>(
        config, [] { return CivilTime{2024, 6, 15, 10, 20, 30}; },
        [counter](std::span<uint8_t> out) {
            for (auto& b : out) b = (*counter)++;
        });
    reader->Open(0, kBuiltIn);
    return reader;
}

TwinReaders::TwinReaders(Transport transport) : local_(MakeTestReader()), remote_(MakeTestReader()) {
    if (transport == Transport::kInMemory) {
        client_.Open(std::make_unique<ServedStream>(*remote_));
        return;
    }
    server_ = std::make_unique<ReaderServer>(Service{server::ServeLocalCall}, [](const std::string&) {});
    std::string error;
    if (!server_->Listen(kLoopback, 0, error)) return;
    serving_ = std::thread([this] {
        tReader = remote_.get();
        server_->Run();
    });
    client_.Open(TcpStream::Connect(kLoopback, server_->Port(), kConnectTimeoutMs));
}

TwinReaders::~TwinReaders() {
    client_.Close();
    if (server_ != nullptr) server_->Stop();
    if (serving_.joinable()) serving_.join();
}

}  // namespace fuzzing
