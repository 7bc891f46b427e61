// ISO 14443-4 processor cards: activation of a type A card (RATS) or a type
// B card (ATQB and ATTRIB), frames to the active card, and deselect.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

namespace {

constexpr size_t kSingleSizeUid = 4;
constexpr size_t kDoubleSizeUid = 7;

}  // namespace

extern "C" {

// The 4-byte UID followed by the ATS.
int32_t __stdcall rf_typea_rst(int32_t, uint8_t mode, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) {
        return reader.TypeA().ActivateIsoDep(mode, kSingleSizeUid, out, length);
    });
}

// The 7-byte UID followed by the ATS.
int32_t __stdcall rf_DESFire_rst(int32_t, uint8_t mode, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) {
        return reader.TypeA().ActivateIsoDep(mode, kDoubleSizeUid, out, length);
    });
}

int32_t __stdcall rf_atqb(int32_t, uint8_t mode, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeB().RequestAndAttach(mode, out, length); });
}

int32_t __stdcall rf_cos_command(int32_t, const uint8_t* command, uint8_t length, uint8_t* out,
                                 uint8_t* outLength) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Exchange(command, length, out, outLength); });
}

int32_t __stdcall rf_cl_deselect(int32_t) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Deselect(); });
}

}  // extern "C"
