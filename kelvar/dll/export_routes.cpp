// Where every export of the library goes: to the built-in reader, or over
// the connection to a reader server once rf_init_com opened one. Made from
// the function list: the export table points at a small jump per function,
// which goes through a pointer to the routing template's instance.
#include <windows.h>

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"
#include "kelvar/net/address_rule.h"
#include "kelvar/net/remote_reader.h"
#include "kelvar/net/secret.h"
#include "kelvar/net/tcp.h"
#include "kelvar/status.h"

namespace kelvar::dll {

namespace {

net::RemoteReader& Remote() {
    static net::RemoteReader remote;
    return remote;
}

// One call at a time over the connection.
std::mutex& CallLock() {
    static std::mutex lock;
    return lock;
}

bool LoopbackOnly() {
    const std::string name(net::kLoopbackOnlyVariable);
    char value[16] = {};
    const DWORD length = GetEnvironmentVariableA(name.c_str(), value, sizeof value);
    if (length == 0) return false;
    // A value too long for the buffer is still a value.
    return length >= sizeof value || net::LoopbackOnlyValue(std::string_view(value, length));
}

bool ValidOctets(const uint16_t* address) {
    for (int i = 0; i < 4; ++i) {
        if (address[i] > 255) return false;
    }
    return true;
}

int32_t OpenConnection(uint16_t port, const uint16_t* address) {
    Remote().Close();
    if (address == nullptr || !ValidOctets(address) || net::IsBuiltInAddress(address)) {
        return rf_init_com(port, address);
    }
    close_connection();
    if (!net::AddressAllowed(address, LoopbackOnly())) return kConnectFailed;
    // A secret named but not usable never becomes a connection without one.
    std::vector<uint8_t> secret;
    if (const std::filesystem::path file = api::ConfigOfThisLibrary().secretFile; !file.empty()) {
        std::string error;
        auto loaded = net::LoadSecret(file, error);
        if (!loaded) return kConnectFailed;
        secret = std::move(*loaded);
    }
    auto stream = net::TcpStream::Connect(address, port, net::kConnectTimeoutMs);
    if (stream == nullptr) return kConnectFailed;
    return Remote().Open(std::move(stream), secret);
}

template <int Ordinal, typename Signature>
struct Route;

template <int Ordinal, typename... A>
struct Route<Ordinal, void(A...)> {
    template <int32_t(__stdcall* Local)(A...)>
    static int32_t __stdcall Call(A... args) noexcept {
        try {
            const std::lock_guard lock(CallLock());
            if constexpr (Ordinal == kOpenOrdinal) {
                return OpenConnection(args...);
            } else if constexpr (Ordinal == kCloseOrdinal) {
                Remote().Close();
                return Local(args...);
            } else {
                if (Remote().IsOpen()) return Remote().Call<Ordinal, void(A...)>(args...);
                return Local(args...);
            }
        } catch (...) {
            return kCardError;
        }
    }
};

}  // namespace

}  // namespace kelvar::dll

#define KELVAR_ROUTE_EXPORT(ordinal, member, reported, required, params)                          \
    extern "C" {                                                                                    \
    int32_t(__stdcall* kelvar_route_##member) params =                                              \
        &kelvar::dll::Route<ordinal, void params>::template Call<&member>;                         \
    }                                                                                               \
    asm(".text\n.globl _kelvar_export_" #member "\n_kelvar_export_" #member                          \
        ":\n\tjmp *_kelvar_route_" #member "\n");
KELVAR_FUNCTIONS(KELVAR_ROUTE_EXPORT)
#undef KELVAR_ROUTE_EXPORT
