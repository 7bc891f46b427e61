// The whole PC/SC chain for a test: a pcscd of its own (pcsc_daemon.h) with
// kelvar-vicc playing a card in the first reader and optionally a SAM in the
// second, and kelvar-reader --backend pcsc serving them to a client.
#pragma once

#include <cstdint>
#include <string>

#include "kelvar/kelvar_functions.h"
#include "kelvar/net/remote_reader.h"
#include "support/pcsc_daemon.h"

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
    // `card` and `sam`: kelvar-vicc card names ("" for an empty reader).
    explicit Chain(const std::string& card, const std::string& sam = "");
    ~Chain() { client_.Close(); }

    // Empty once the chain is up.
    const std::string& Error() const { return error_; }

    template <int Ordinal, typename... A>
    int32_t Call(A... args) {
        return client_.Call<Ordinal, typename Signature<Ordinal>::Type>(args...);
    }

    // Takes the card out of its reader, and puts it back; true once pcscd sees it so.
    bool Pull();
    bool PutBack();

private:
    Daemon daemon_;
    std::string error_;
    pid_t card_ = 0;
    kelvar::net::RemoteReader client_;
};

}  // namespace pcsc_chain
