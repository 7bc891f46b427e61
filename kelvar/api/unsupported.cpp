// Functions of the library that this reader does not offer yet: they check the
// connection like every other function and then answer kNotSupported.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

namespace {

// The reader is made on first use; nothing may throw across the boundary.
int32_t Unsupported() noexcept {
    try {
        return kelvar::api::Unsupported();
    } catch (...) {
        return kelvar::kCardError;
    }
}

}  // namespace

extern "C" {

int32_t __stdcall reserved_8() { return Unsupported(); }
int32_t __stdcall reserved_19() { return Unsupported(); }
int32_t __stdcall reserved_20() { return Unsupported(); }
int32_t __stdcall reserved_28() { return Unsupported(); }
int32_t __stdcall reserved_29() { return Unsupported(); }
int32_t __stdcall reserved_33() { return Unsupported(); }
int32_t __stdcall reserved_34() { return Unsupported(); }
int32_t __stdcall reserved_35() { return Unsupported(); }
int32_t __stdcall reserved_44() { return Unsupported(); }
int32_t __stdcall reserved_46() { return Unsupported(); }
int32_t __stdcall reserved_48() { return Unsupported(); }
int32_t __stdcall reserved_54() { return Unsupported(); }
int32_t __stdcall reserved_60() { return Unsupported(); }
int32_t __stdcall reserved_61() { return Unsupported(); }
int32_t __stdcall reserved_62() { return Unsupported(); }
int32_t __stdcall reserved_101() { return Unsupported(); }
int32_t __stdcall reserved_380() { return Unsupported(); }
int32_t __stdcall reserved_383() { return Unsupported(); }
int32_t __stdcall reserved_402() { return Unsupported(); }
int32_t __stdcall reserved_403() { return Unsupported(); }
int32_t __stdcall reserved_420() { return Unsupported(); }
int32_t __stdcall reserved_422() { return Unsupported(); }

}  // extern "C"
