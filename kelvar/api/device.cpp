// The reader's own functions: model, version, device number, beeper,
// antenna, RF mode, LED and clock. The device argument is not used: a
// connection reaches one reader.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

using kelvar::kBadArgument;
using kelvar::kOk;
using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

extern "C" {

int32_t __stdcall lib_ver(uint32_t* version) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Device().LibraryVersion(version); });
}

int32_t __stdcall rf_get_model(int32_t, uint8_t* text, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) {
        return reader.Device().GetModel(reinterpret_cast<char*>(text), length);
    });
}

int32_t __stdcall rf_get_device_number(uint8_t* number) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Device().GetDeviceNumber(number); });
}

int32_t __stdcall rf_init_device_number(uint16_t number) {
    return WhenOpen([&](VirtualReader& reader) { return reader.SetDeviceNumber(number); });
}

int32_t __stdcall rf_beep(int32_t, uint8_t time10ms) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Beep(time10ms); });
}

int32_t __stdcall rf_antenna_sta(int32_t, uint8_t state) {
    return WhenOpen([&](VirtualReader& reader) { return reader.SetAntenna(state); });
}

int32_t __stdcall rf_light(int32_t, uint8_t colour) {
    return WhenOpen([&](VirtualReader& reader) { return reader.SetLight(colour); });
}

int32_t __stdcall rf_init_type(int32_t, uint8_t type) {
    return WhenOpen([&](VirtualReader& reader) { return reader.SetRfMode(type); });
}

int32_t __stdcall ReadTime(int32_t, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) -> int32_t {
        if (out == nullptr || length == nullptr) return kBadArgument;
        const auto status = reader.Device().ReadClock(out);
        if (status == kOk) *length = 7;
        return status;
    });
}

int32_t __stdcall WriteTime(int32_t, const uint8_t* time) {
    return WhenOpen([&](VirtualReader& reader) { return reader.WriteClock(time); });
}

}  // extern "C"
