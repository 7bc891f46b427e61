// The whole PC/SC chain for a test: a pcscd of its own with a virtual reader
// (vpcd) on a free port pair, kelvar-vicc playing a card in the first slot
// and optionally a SAM in the second, and kelvar-reader --backend pcsc, with
// a client connected to it. pcscd serves one socket for the machine, so
// chains take a lock, and a pcscd this test did not start is never stopped.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "kelvar/kelvar_functions.h"
#include "kelvar/net/remote_reader.h"

namespace pcsc_chain {

template <int Ordinal>
struct Signature;
#define KELVAR_CHAIN_SIGNATURE(ordinal, member, reported, required, params) \
    template <>                                                             \
    struct Signature<ordinal> {                                             \
        using Type = void params;                                           \
    };
KELVAR_FUNCTIONS(KELVAR_CHAIN_SIGNATURE)
#undef KELVAR_CHAIN_SIGNATURE

class Chain {
public:
    // Why pcscd and vpcd cannot run on this machine; empty when they can.
    static std::string Missing();

    // `card` and `sam`: kelvar-vicc card names ("" for an empty slot).
    explicit Chain(const std::string& card, const std::string& sam = "");
    ~Chain();
    Chain(const Chain&) = delete;
    Chain& operator=(const Chain&) = delete;

    // Empty once the chain is up.
    const std::string& Error() const { return error_; }

    template <int Ordinal, typename... A>
    int32_t Call(A... args) {
        return client_.Call<Ordinal, typename Signature<Ordinal>::Type>(args...);
    }

    // Takes the card out of its reader, and puts it back.
    void Pull();
    void PutBack();
    // Waits until pcscd sees the card (slot 0) or SAM (1) as `present` (at most 5 s).
    bool AwaitCard(bool present, int slot = 0);

    // What kelvar-reader --list-readers prints, and its exit code.
    static std::string ListReaders(int& code);

private:
    bool Start(const std::string& card, const std::string& sam);
    pid_t Spawn(const std::vector<std::string>& args, const std::string& log);
    void Stop(pid_t& pid);

    std::string error_;
    std::string folder_;
    int lock_ = -1;
    uint16_t port_ = 0;
    pid_t pcscd_ = 0;
    pid_t card_ = 0;
    pid_t sam_ = 0;
    pid_t server_ = 0;
    kelvar::net::RemoteReader client_;
};

}  // namespace pcsc_chain
