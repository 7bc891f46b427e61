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
int32_t __stdcall rf_init_sam(int32_t, uint8_t) { return Unsupported(); }
int32_t __stdcall rf_sam_rst(int32_t, uint8_t*, uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_sam_cos(int32_t, const uint8_t*, uint8_t, uint8_t*, uint8_t*) { return Unsupported(); }
int32_t __stdcall reserved_19() { return Unsupported(); }
int32_t __stdcall reserved_20() { return Unsupported(); }
int32_t __stdcall reserved_28() { return Unsupported(); }
int32_t __stdcall reserved_29() { return Unsupported(); }
int32_t __stdcall reserved_33() { return Unsupported(); }
int32_t __stdcall reserved_34() { return Unsupported(); }
int32_t __stdcall reserved_35() { return Unsupported(); }
int32_t __stdcall rf_at020_check(int32_t, const uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_at020_read(int32_t, uint8_t, uint8_t*, uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_at020_write(int32_t, uint8_t, const uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_at020_lock(int32_t, const uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_at020_count(int32_t, const uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_at020_deselect(int32_t) { return Unsupported(); }
int32_t __stdcall reserved_44() { return Unsupported(); }
int32_t __stdcall reserved_46() { return Unsupported(); }
int32_t __stdcall rf_st_select(int32_t, uint8_t*) { return Unsupported(); }
int32_t __stdcall reserved_48() { return Unsupported(); }
int32_t __stdcall rf_sr176_readblock(int32_t, uint8_t, uint8_t*, uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_sr176_writeblock(int32_t, uint8_t, const uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_sr176_protectblock(int32_t, uint8_t) { return Unsupported(); }
int32_t __stdcall rf_srix4k_readblock(int32_t, uint8_t, uint8_t*, uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_srix4k_writeblock(int32_t, uint8_t, const uint8_t*) { return Unsupported(); }
int32_t __stdcall reserved_54() { return Unsupported(); }
int32_t __stdcall rf_srix4k_getuid(int32_t, uint8_t*, uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_srix4k_writelockreg(int32_t, uint8_t) { return Unsupported(); }
int32_t __stdcall reserved_60() { return Unsupported(); }
int32_t __stdcall reserved_61() { return Unsupported(); }
int32_t __stdcall reserved_62() { return Unsupported(); }
int32_t __stdcall smartcard_rst(int32_t, uint8_t*, uint8_t*) { return Unsupported(); }
int32_t __stdcall smartcard_cos(int32_t, const uint8_t*, uint8_t, uint8_t*, uint8_t*) { return Unsupported(); }
int32_t __stdcall AT1608_Rst(int32_t, uint8_t*) { return Unsupported(); }
int32_t __stdcall AT1608_Authenticate(int32_t, const uint8_t*, const uint8_t*) { return Unsupported(); }
int32_t __stdcall AT1608_VerifyPassword(int32_t, uint8_t, const uint8_t*) { return Unsupported(); }
int32_t __stdcall AT1608_Read(int32_t, uint8_t, uint8_t, uint8_t, uint8_t*) { return Unsupported(); }
int32_t __stdcall AT1608_Write(int32_t, uint8_t, uint8_t, const uint8_t*, uint8_t) { return Unsupported(); }
int32_t __stdcall AT1608_ReadFuse1(int32_t, uint8_t*) { return Unsupported(); }
int32_t __stdcall AT1608_WriteFuse1(int32_t) { return Unsupported(); }
int32_t __stdcall reserved_101() { return Unsupported(); }
int32_t __stdcall reserved_380() { return Unsupported(); }
int32_t __stdcall reserved_383() { return Unsupported(); }
int32_t __stdcall reserved_402() { return Unsupported(); }
int32_t __stdcall reserved_403() { return Unsupported(); }
int32_t __stdcall reserved_420() { return Unsupported(); }
int32_t __stdcall rf_transceive1(int32_t, const uint8_t*, uint8_t, uint8_t*, uint8_t*) { return Unsupported(); }
int32_t __stdcall reserved_422() { return Unsupported(); }
int32_t __stdcall rf_thr1064_read(int32_t, uint8_t, uint8_t*, uint8_t*) { return Unsupported(); }
int32_t __stdcall rf_thr1064_write(int32_t, uint8_t, const uint8_t*, uint8_t) { return Unsupported(); }
int32_t __stdcall rf_thr1064_check(int32_t, const uint8_t*) { return Unsupported(); }

}  // extern "C"
