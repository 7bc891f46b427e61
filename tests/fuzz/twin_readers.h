// Two readers of one configuration (images in memory, a fixed clock, counted
// random bytes): every call goes to the first directly and to the second
// through the reader server, as request, serving and answer. The statuses
// must agree and, after a success, every out-buffer.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "kelvar/net/reader_server.h"
#include "kelvar/net/remote_reader.h"
#include "kelvar/reader/virtual_reader.h"
#include "table_call.h"

namespace fuzzing {

// The reader the exports reach from this thread: each target's
// kelvar::api::Reader() returns it.
inline thread_local kelvar::VirtualReader* tReader = nullptr;

std::unique_ptr<kelvar::VirtualReader> MakeTestReader();

class TwinReaders {
public:
    // In memory: the server's connection served in this thread, as fast as
    // a fuzzer needs. Loopback: the whole server on 127.0.0.1 in a thread.
    enum class Transport { kInMemory, kLoopback };

    explicit TwinReaders(Transport transport);
    ~TwinReaders();
    TwinReaders(const TwinReaders&) = delete;
    TwinReaders& operator=(const TwinReaders&) = delete;

    bool Connected() const { return client_.IsOpen(); }

    // Empty when both agree, else what differs.
    template <int Ordinal, typename... A>
    std::string Compare(const TableCall<Ordinal, void(A...)>& call, int32_t (*function)(A...));

private:
    std::unique_ptr<kelvar::VirtualReader> local_;
    std::unique_ptr<kelvar::VirtualReader> remote_;
    std::unique_ptr<kelvar::net::ReaderServer> server_;
    std::thread serving_;
    kelvar::net::RemoteReader client_;
};

// What two copies of one call hold apart after it: the out-buffers a
// success fills (a Reported one up to its length byte).
template <int Ordinal, typename... A>
std::string OutDifference(const TableCall<Ordinal, void(A...)>& a, const TableCall<Ordinal, void(A...)>& b) {
    using namespace kelvar;
    for (size_t p = 0; p < sizeof...(A); ++p) {
        if (RuleCount(Ordinal, int(p)) == 0 || a.Buffer(p) == nullptr) continue;
        const BufferRule rule = RuleOf(Ordinal, int(p));
        if (rule.direction == Direction::In) continue;
        size_t size = a.Size(p);
        if (rule.kind == SizeKind::Reported) {
            const uint8_t* length = a.Buffer(size_t(rule.value));
            size = length == nullptr ? 0 : std::min<size_t>(*length, size);
        }
        if (!std::equal(a.Buffer(p), a.Buffer(p) + size, b.Buffer(p))) {
            return "out-buffer at argument " + std::to_string(p) + " differs";
        }
    }
    return {};
}

template <int Ordinal, typename... A>
std::string TwinReaders::Compare(const TableCall<Ordinal, void(A...)>& call, int32_t (*function)(A...)) {
    TableCall<Ordinal, void(A...)> direct(call);
    TableCall<Ordinal, void(A...)> carried(call);
    tReader = local_.get();
    const int32_t localStatus = direct.Apply(function);
    const int32_t remoteStatus =
        carried.Apply([&](A... args) { return client_.template Call<Ordinal, void(A...)>(args...); });
    if (localStatus != remoteStatus) {
        return "status " + std::to_string(localStatus) + " built in, " + std::to_string(remoteStatus) +
               " through the server";
    }
    if (localStatus == kelvar::kOk) return OutDifference(direct, carried);
    // A failed call leaves the caller's buffers as they were.
    for (size_t p = 0; p < sizeof...(A); ++p) {
        if (call.Buffer(p) != nullptr && !std::equal(call.Buffer(p), call.Buffer(p) + call.Size(p), carried.Buffer(p))) {
            return "a failed call changed the buffer at argument " + std::to_string(p);
        }
    }
    return {};
}

}  // namespace fuzzing
