// Opening and closing the connection to the reader.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

namespace kelvar::api {

VirtualReader& Reader() {
    static VirtualReader reader;
    return reader;
}

}  // namespace kelvar::api

extern "C" {

int32_t __stdcall rf_init_com(uint16_t port, const uint16_t* address) {
    try {
        return kelvar::api::Reader().Open(port, address);
    } catch (...) {
        return kelvar::kCardError;
    }
}

int32_t __stdcall close_connection() {
    kelvar::api::Reader().Close();
    return kelvar::kOk;
}

}  // extern "C"
