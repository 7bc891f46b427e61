// Every function of the list served from this process's reader, made from
// the list: a function added there is served without a line here.
#include "kelvar/server/served_functions.h"

#include "kelvar/api/exports.h"
#include "kelvar/net/marshal.h"

namespace kelvar::server {

namespace {

template <int Ordinal, typename Signature, typename Function>
bool ServeOne(net::WireReader& in, net::WireWriter& out, Function function) {
    // Opening and closing are the client's own: they are never carried.
    if constexpr (Ordinal == kOpenOrdinal || Ordinal == kCloseOrdinal) {
        if (!in.Ok()) return false;
        out.Scalar<int32_t>(kNotSupported);
        return true;
    } else {
        return net::Marshal<Ordinal, Signature>::Serve(in, out, function);
    }
}

}  // namespace

bool ServeLocalCall(uint16_t ordinal, net::WireReader& in, net::WireWriter& out) {
    switch (ordinal) {
#define KELVAR_SERVE_CASE(ordinal, member, reported, required, params) \
    case ordinal: return ServeOne<ordinal, void params>(in, out, &member);
        KELVAR_FUNCTIONS(KELVAR_SERVE_CASE)
#undef KELVAR_SERVE_CASE
        default: out.Scalar<int32_t>(kNotSupported); return true;
    }
}

}  // namespace kelvar::server
