// Raw frames, with their CRC, to the tags of the RF mode set last.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

extern "C" {

int32_t __stdcall rf_transceive1(int32_t, const uint8_t* frame, uint8_t length, uint8_t* out, uint8_t* outLength) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Transceive(frame, length, out, outLength); });
}

}  // extern "C"
