// The SAM slot: power-up at a speed, answer to reset and APDUs.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

extern "C" {

int32_t __stdcall rf_init_sam(int32_t, uint8_t baud) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Sam().PowerUp(baud); });
}

int32_t __stdcall rf_sam_rst(int32_t, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Sam().Reset(out, length); });
}

int32_t __stdcall rf_sam_cos(int32_t, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Sam().Exchange(command, length, out, outLength); });
}

}  // extern "C"
