// Opening and closing the connection to the reader.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

extern "C" {

int32_t __stdcall rf_init_com(uint16_t port, const uint16_t* address) {
    try {
        return kelvar::api::Reader().Open(port, address);
    } catch (...) {
        return kelvar::kCardError;
    }
}

int32_t __stdcall close_connection() {
    try {
        kelvar::api::Reader().Close();
    } catch (...) {
        // No reader could be made, so none is open.
    }
    return kelvar::kOk;
}

}  // extern "C"
