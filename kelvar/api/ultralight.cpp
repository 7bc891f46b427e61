// UltraLight-family page writes and the 3DES key of the UltraLight C.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

extern "C" {

int32_t __stdcall rf_ul_write(int32_t, uint8_t page, const uint8_t* data) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().UltralightWrite(page, data); });
}

int32_t __stdcall rf_UC_authentication(int32_t, const uint8_t* key) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().UltralightCAuthenticate(key); });
}

int32_t __stdcall rf_UC_changekey(int32_t, const uint8_t* key) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().UltralightCChangeKey(key); });
}

}  // extern "C"
