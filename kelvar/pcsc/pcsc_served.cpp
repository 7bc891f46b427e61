#include "kelvar/pcsc/pcsc_served.h"

#include <type_traits>

#include "kelvar/kelvar_functions.h"
#include "kelvar/net/marshal.h"

namespace kelvar::pcsc {

namespace {

Backend* served = nullptr;

template <int Ordinal>
struct Mapped {
    static constexpr std::nullptr_t kMethod = nullptr;
};

#define KELVAR_PCSC_MAPS(ordinal, method)                    \
    template <>                                              \
    struct Mapped<ordinal> {                                 \
        static constexpr auto kMethod = &Backend::method;    \
    };
KELVAR_PCSC_MAPS(1, LibVer)
KELVAR_PCSC_MAPS(2, DesEncipher)
KELVAR_PCSC_MAPS(3, DesDecipher)
KELVAR_PCSC_MAPS(7, GetModel)
KELVAR_PCSC_MAPS(10, InitSam)
KELVAR_PCSC_MAPS(11, SamRst)
KELVAR_PCSC_MAPS(12, SamCos)
KELVAR_PCSC_MAPS(13, InitType)
KELVAR_PCSC_MAPS(14, Antenna)
KELVAR_PCSC_MAPS(15, Request)
KELVAR_PCSC_MAPS(16, Anticoll)
KELVAR_PCSC_MAPS(17, Select)
KELVAR_PCSC_MAPS(18, Halt)
KELVAR_PCSC_MAPS(21, Authenticate)
KELVAR_PCSC_MAPS(22, Read)
KELVAR_PCSC_MAPS(23, Write)
KELVAR_PCSC_MAPS(24, InitValue)
KELVAR_PCSC_MAPS(25, ReadValue)
KELVAR_PCSC_MAPS(30, TypeARst)
KELVAR_PCSC_MAPS(31, CosCommand)
KELVAR_PCSC_MAPS(43, Deselect)
KELVAR_PCSC_MAPS(56, UlSelect)
KELVAR_PCSC_MAPS(57, UlWrite)
KELVAR_PCSC_MAPS(63, VicinityRead)
KELVAR_PCSC_MAPS(64, VicinityWrite)
KELVAR_PCSC_MAPS(72, SmartcardRst)
KELVAR_PCSC_MAPS(73, SmartcardCos)
KELVAR_PCSC_MAPS(100, OpenCard)
KELVAR_PCSC_MAPS(400, Inventory)
KELVAR_PCSC_MAPS(410, DesfireRst)
#undef KELVAR_PCSC_MAPS

template <int Ordinal>
constexpr bool kMapped = !std::is_same_v<std::remove_cv_t<decltype(Mapped<Ordinal>::kMethod)>, std::nullptr_t>;

template <int Ordinal, typename Signature>
bool ServeOne(net::WireReader& in, net::WireWriter& out) {
    return net::Marshal<Ordinal, Signature>::Serve(in, out, [](auto... args) -> int32_t {
        if constexpr (kMapped<Ordinal>) {
            if (served != nullptr) return (served->*Mapped<Ordinal>::kMethod)(args...);
        }
        return kNotSupported;
    });
}

}  // namespace

void ServeFrom(Backend* backend) { served = backend; }

bool ServeCall(uint16_t ordinal, net::WireReader& in, net::WireWriter& out) {
    switch (ordinal) {
#define KELVAR_PCSC_CASE(ordinal, member, reported, required, params) \
    case ordinal: return ServeOne<ordinal, void params>(in, out);
        KELVAR_FUNCTIONS(KELVAR_PCSC_CASE)
#undef KELVAR_PCSC_CASE
        default: out.Scalar<int32_t>(kNotSupported); return true;
    }
}

bool Maps(int ordinal) {
    switch (ordinal) {
#define KELVAR_PCSC_MAPPED(ordinal, member, reported, required, params) \
    case ordinal: return kMapped<ordinal>;
        KELVAR_FUNCTIONS(KELVAR_PCSC_MAPPED)
#undef KELVAR_PCSC_MAPPED
        default: return false;
    }
}

}  // namespace kelvar::pcsc
