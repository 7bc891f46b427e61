// The reader library's functions a dump calls, with the library's argument
// lists less the device address. The program's link makes each call through
// its command, which logs it; tests link the library's exports directly.
#pragma once

#include <cstdint>

#include "kelvar/kelvar_functions.h"

namespace dumps {

#define DUMP_LINK_FUNCTIONS(F)                                                                         \
    F(rf_antenna_sta, (uint8_t state), (state))                                                        \
    F(rf_init_type, (uint8_t type), (type))                                                            \
    F(rf_request, (uint8_t mode, uint16_t* tagType), (mode, tagType))                                  \
    F(rf_anticoll, (uint8_t bits, uint8_t* uid, uint8_t* uidLength), (bits, uid, uidLength))           \
    F(rf_select, (const uint8_t* uid, uint8_t uidLength, uint8_t* sak), (uid, uidLength, sak))         \
    F(rf_ul_select, (uint8_t* uid, uint8_t* length), (uid, length))                                    \
    F(rf_M1_authentication2, (uint8_t keyType, uint8_t block, const uint8_t* key), (keyType, block, key)) \
    F(rf_M1_read, (uint8_t block, uint8_t* out, uint8_t* length), (block, out, length))                \
    F(rf_M1_write, (uint8_t block, const uint8_t* data), (block, data))                                \
    F(rf_ul_write, (uint8_t page, const uint8_t* data), (page, data))                                  \
    F(rf_UC_authentication, (const uint8_t* key), (key))                                               \
    F(rf_st_select, (uint8_t* chipId), (chipId))                                                       \
    F(rf_sr176_readblock, (uint8_t block, uint8_t* out, uint8_t* length), (block, out, length))        \
    F(rf_sr176_writeblock, (uint8_t block, const uint8_t* data), (block, data))                        \
    F(rf_srix4k_readblock, (uint8_t block, uint8_t* out, uint8_t* length), (block, out, length))       \
    F(rf_srix4k_writeblock, (uint8_t block, const uint8_t* data), (block, data))                       \
    F(rf_srix4k_getuid, (uint8_t* out, uint8_t* length), (out, length))                                \
    F(ISO15693_Inventorys, (uint8_t* out, uint8_t* length), (out, length))                             \
    F(ISO15693_Inventorys59, (uint8_t* out, uint8_t* length), (out, length))                           \
    F(SRF55V_Inventorys, (uint8_t afi, uint8_t* out, uint8_t* length), (afi, out, length))             \
    F(ISO15693_Read,                                                                                   \
      (uint8_t mode, const uint8_t* uid, uint8_t block, uint8_t count, uint8_t* out, uint8_t* length), \
      (mode, uid, block, count, out, length))                                                          \
    F(ISO15693_Write, (uint8_t mode, const uint8_t* uid, uint8_t block, const uint8_t* data),          \
      (mode, uid, block, data))                                                                        \
    F(ISO15693_Get_Block_Security,                                                                     \
      (uint8_t mode, const uint8_t* uid, uint8_t first, uint8_t count, uint8_t* out, uint8_t* length), \
      (mode, uid, first, count, out, length))                                                          \
    F(rf_transceive1, (const uint8_t* frame, uint8_t length, uint8_t* out, uint8_t* outLength),       \
      (frame, length, out, outLength))                                                                 \
    F(Srf55vp_Read, (const uint8_t* uid, uint8_t page, uint8_t* out, uint8_t* length),                \
      (uid, page, out, length))                                                                        \
    F(Srf55vp_Write_Reread,                                                                            \
      (const uint8_t* uid, uint8_t page, const uint8_t* data, uint8_t* readBack, uint8_t* length),     \
      (uid, page, data, readBack, length))                                                             \
    F(SRI64_Write, (uint8_t mode, const uint8_t* uid, uint8_t block, uint8_t data), (mode, uid, block, data)) \
    F(OpenCard, (), ())                                                                                \
    F(AT24_read, (uint32_t address, uint32_t length, uint8_t* out), (address, length, out))           \
    F(AT24_write, (uint32_t address, uint32_t length, const uint8_t* data), (address, length, data))  \
    F(AT1608_Rst, (uint8_t* answer), (answer))                                                         \
    F(AT1608_Authenticate, (const uint8_t* q0q1, const uint8_t* q1), (q0q1, q1))                      \
    F(AT1608_VerifyPassword, (uint8_t index, const uint8_t* password), (index, password))             \
    F(AT1608_Read, (uint8_t address, uint32_t length, uint8_t zone, uint8_t* out),                    \
      (address, length, zone, out))                                                                    \
    F(AT1608_Write, (uint8_t address, uint8_t zone, const uint8_t* data, uint32_t length),            \
      (address, zone, data, length))

// The arguments of a call from the list above with the device address first.
#define DUMP_LINK_DEVICE_AND(...) 0 __VA_OPT__(, ) __VA_ARGS__

class CardLink {
public:
    virtual ~CardLink() = default;

#define DUMP_LINK_DECLARE(name, params, args) virtual int32_t name params = 0;
    DUMP_LINK_FUNCTIONS(DUMP_LINK_DECLARE)
#undef DUMP_LINK_DECLARE

    // The waits the card's protocol asks for between calls.
    virtual void Wait(unsigned milliseconds) = 0;
};

// The name the result log shows for each function.
namespace logged {
#define DUMP_LOGGED_NAME(ordinal, member, reported, required, params) \
    inline constexpr const wchar_t* member = L"" reported;
KELVAR_FUNCTIONS(DUMP_LOGGED_NAME)
#undef DUMP_LOGGED_NAME
}  // namespace logged

}  // namespace dumps
