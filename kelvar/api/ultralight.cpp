// UltraLight-family page writes, the 3DES key of the UltraLight C and the
// SHC1102 tag's password, reads and writes.
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

int32_t __stdcall rf_Shc1102_Auth(int32_t, const uint8_t* password) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().Shc1102Authenticate(password); });
}

int32_t __stdcall rf_Shc1102_Read(int32_t, uint8_t block, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().Shc1102Read(block, out, length); });
}

int32_t __stdcall rf_Shc1102_Write(int32_t, uint8_t block, const uint8_t* data) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().Shc1102Write(block, data); });
}

}  // extern "C"
