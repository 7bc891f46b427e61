// Mifare Classic commands: authentication, block access and value blocks.
// Reads and writes also reach a selected UltraLight-family tag (pages).
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

using kelvar::Iso14443aField;
using kelvar::kBadArgument;
using kelvar::kOk;
using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

extern "C" {

int32_t __stdcall rf_M1_authentication2(int32_t, uint8_t keyType, uint8_t block, const uint8_t* key) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().Authenticate(keyType, block, key); });
}

int32_t __stdcall rf_M1_read(int32_t, uint8_t block, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) -> int32_t {
        if (out == nullptr || length == nullptr) return kBadArgument;
        const auto status = reader.TypeA().Read(block, out);
        if (status == kOk) *length = static_cast<uint8_t>(Iso14443aField::kReadSize);
        return status;
    });
}

int32_t __stdcall rf_M1_write(int32_t, uint8_t block, const uint8_t* data) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().Write(block, data); });
}

int32_t __stdcall rf_M1_initval(int32_t, uint8_t block, int32_t value) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().InitValue(block, value); });
}

int32_t __stdcall rf_M1_readval(int32_t, uint8_t block, int32_t* value) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().ReadValue(block, value); });
}

int32_t __stdcall rf_M1_decrement(int32_t, uint8_t block, int32_t value) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().Decrement(block, value); });
}

int32_t __stdcall rf_M1_increment(int32_t, uint8_t block, int32_t value) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeA().Increment(block, value); });
}

}  // extern "C"
