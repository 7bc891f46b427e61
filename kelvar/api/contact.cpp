// The contact slot: power-up, the memory card's reads and writes by byte
// address, the processor card's answer to reset and APDUs.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"
#include "kelvar/cards/at24c_card.h"

using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

namespace {

// 1 to 256 bytes, refused before any card is asked.
bool TransferLength(uint32_t length) { return length >= 1 && length <= kelvar::At24cCard::kMaxTransfer; }

}  // namespace

extern "C" {

int32_t __stdcall OpenCard(int32_t) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Contact().PowerUp(); });
}

int32_t __stdcall AT24_read(int32_t, uint32_t address, uint32_t length, uint8_t* out) {
    return WhenOpen([&](VirtualReader& reader) {
        return TransferLength(length) ? reader.Contact().Read(address, length, out) : kelvar::kBadArgument;
    });
}

int32_t __stdcall AT24_write(int32_t, uint32_t address, uint32_t length, const uint8_t* data) {
    return WhenOpen([&](VirtualReader& reader) {
        return TransferLength(length) ? reader.Contact().Write(address, length, data) : kelvar::kBadArgument;
    });
}

int32_t __stdcall smartcard_rst(int32_t, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Contact().ResetCard(out, length); });
}

int32_t __stdcall smartcard_cos(int32_t, const uint8_t* command, uint8_t length, uint8_t* out,
                                uint8_t* outLength) {
    return WhenOpen(
        [&](VirtualReader& reader) { return reader.Contact().Exchange(command, length, out, outLength); });
}

}  // extern "C"
