// Finding, selecting and halting ISO 14443-A cards.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

using kelvar::kBadArgument;
using kelvar::kOk;
using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

extern "C" {

// The tag type is the ATQA, its first byte in the low half.
int32_t __stdcall rf_request(int32_t, uint8_t mode, uint16_t* tagType) {
    return WhenOpen([&](VirtualReader& reader) -> int32_t {
        if (tagType == nullptr) return kBadArgument;
        uint8_t atqa[2] = {};
        const auto status = reader.TypeA().Request(mode, atqa);
        if (status == kOk) *tagType = static_cast<uint16_t>(atqa[0] | (atqa[1] << 8));
        return status;
    });
}

// Anticollision runs to the end whatever the caller's bit count.
int32_t __stdcall rf_anticoll(int32_t, uint8_t, uint8_t* uid, uint8_t* uidLength) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().Anticoll(uid, uidLength); });
}

int32_t __stdcall rf_select(int32_t, const uint8_t* uid, uint8_t uidLength, uint8_t* sak) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().Select(uid, uidLength, sak); });
}

int32_t __stdcall rf_halt(int32_t) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().Halt(); });
}

int32_t __stdcall rf_ul_select(int32_t, uint8_t* uid, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().UltralightSelect(uid, length); });
}

}  // extern "C"
