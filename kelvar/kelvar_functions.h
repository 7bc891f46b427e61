// The functions of Kelvar.dll: ordinal, C name, name in the program's result
// log ("" when never logged), whether a reader library must export it, and the
// argument list. Every function is stdcall and returns a 32-bit status, 0 on
// success. Both the library's exports and the program's binding are made from
// this one list.
//
// Byte-sized arguments travel widened to 32 bits; out lengths are single bytes.
// A length that can reach 256 is 32-bit: a byte would carry it as 0.
// Functions no caller uses take no arguments and answer "not supported".
#pragma once

#include <cstdint>
#include <string_view>

// Every pointer argument of the function list below, for calls carried over a
// network connection: ordinal, argument position (from 0), direction (In, Out,
// InOut) and size in bytes: Fixed, n bytes; Arg, the value of argument n, at
// most the row's last number (the largest the library accepts: a larger one is
// "bad argument", and a serving end reserves that much whatever a client
// says); Reported, the value the out length at argument n holds after the call
// (a byte). A function added below with a pointer argument needs its row here
// (checked at compile time).
#define KELVAR_BUFFERS(B)                                                                          \
    B(1, 0, Out, Fixed, 4)                                                                         \
    B(2, 0, Out, Arg, 2, 255) B(2, 1, In, Arg, 2, 255) B(2, 3, In, Arg, 4, 255)                    \
    B(3, 0, Out, Arg, 2, 255) B(3, 1, In, Arg, 2, 255) B(3, 3, In, Arg, 4, 255)                    \
    B(4, 1, In, Fixed, 8)                                                                          \
    B(6, 0, Out, Fixed, 2)                                                                         \
    B(7, 1, Out, Reported, 2) B(7, 2, Out, Fixed, 1)                                               \
    B(11, 1, Out, Reported, 2) B(11, 2, Out, Fixed, 1)                                             \
    B(12, 1, In, Arg, 2, 255) B(12, 3, Out, Reported, 4) B(12, 4, Out, Fixed, 1)                   \
    B(15, 2, Out, Fixed, 2)                                                                        \
    B(16, 2, Out, Reported, 3) B(16, 3, Out, Fixed, 1)                                             \
    B(17, 1, In, Arg, 2, 255) B(17, 3, Out, Fixed, 1)                                              \
    B(21, 3, In, Fixed, 6)                                                                         \
    B(22, 2, Out, Reported, 3) B(22, 3, Out, Fixed, 1)                                             \
    B(23, 2, In, Fixed, 16)                                                                        \
    B(25, 2, Out, Fixed, 4)                                                                        \
    B(30, 2, Out, Reported, 3) B(30, 3, Out, Fixed, 1)                                             \
    B(31, 1, In, Arg, 2, 255) B(31, 3, Out, Reported, 4) B(31, 4, Out, Fixed, 1)                   \
    B(32, 2, Out, Reported, 3) B(32, 3, Out, Fixed, 1)                                             \
    B(36, 1, In, Fixed, 8)                                                                         \
    B(37, 2, Out, Reported, 3) B(37, 3, Out, Fixed, 1)                                             \
    B(38, 2, In, Fixed, 8)                                                                         \
    B(39, 1, In, Fixed, 4)                                                                         \
    B(40, 1, In, Fixed, 6)                                                                         \
    B(47, 1, Out, Fixed, 1)                                                                        \
    B(49, 2, Out, Reported, 3) B(49, 3, Out, Fixed, 1)                                             \
    B(50, 2, In, Fixed, 2)                                                                         \
    B(52, 2, Out, Reported, 3) B(52, 3, Out, Fixed, 1)                                             \
    B(53, 2, In, Fixed, 4)                                                                         \
    B(55, 1, Out, Reported, 2) B(55, 2, Out, Fixed, 1)                                             \
    B(56, 1, Out, Reported, 2) B(56, 2, Out, Fixed, 1)                                             \
    B(57, 2, In, Fixed, 4)                                                                         \
    B(59, 1, Out, Reported, 2) B(59, 2, Out, Fixed, 1)                                             \
    B(63, 2, In, Fixed, 8) B(63, 5, Out, Reported, 6) B(63, 6, Out, Fixed, 1)                      \
    B(64, 2, In, Fixed, 8) B(64, 4, In, Fixed, 4)                                                  \
    B(65, 2, In, Fixed, 8)                                                                         \
    B(66, 2, In, Fixed, 8)                                                                         \
    B(67, 2, In, Fixed, 8)                                                                         \
    B(68, 2, In, Fixed, 8)                                                                         \
    B(69, 2, In, Fixed, 8)                                                                         \
    B(70, 2, In, Fixed, 8) B(70, 3, Out, Reported, 4) B(70, 4, Out, Fixed, 1)                      \
    B(71, 2, In, Fixed, 8) B(71, 5, Out, Reported, 6) B(71, 6, Out, Fixed, 1)                      \
    B(72, 1, Out, Reported, 2) B(72, 2, Out, Fixed, 1)                                             \
    B(73, 1, In, Arg, 2, 255) B(73, 3, Out, Reported, 4) B(73, 4, Out, Fixed, 1)                   \
    B(74, 3, Out, Arg, 2, 256)                                                                     \
    B(75, 3, In, Arg, 2, 256)                                                                      \
    B(76, 1, Out, Fixed, 4)                                                                        \
    B(77, 1, In, Fixed, 16) B(77, 2, In, Fixed, 8)                                                 \
    B(78, 2, In, Fixed, 3)                                                                         \
    B(79, 4, Out, Arg, 2, 256)                                                                     \
    B(80, 3, In, Arg, 4, 256)                                                                      \
    B(81, 1, Out, Fixed, 1)                                                                        \
    B(360, 1, In, Fixed, 4)                                                                        \
    B(361, 2, Out, Reported, 3) B(361, 3, Out, Fixed, 1)                                           \
    B(362, 2, In, Fixed, 4)                                                                        \
    B(381, 1, Out, Reported, 2) B(381, 2, Out, Fixed, 1)                                           \
    B(382, 1, In, Fixed, 7)                                                                        \
    B(400, 1, Out, Reported, 2) B(400, 2, Out, Fixed, 1)                                           \
    B(401, 1, In, Fixed, 8) B(401, 3, Out, Reported, 4) B(401, 4, Out, Fixed, 1)                   \
    B(404, 1, In, Fixed, 8) B(404, 3, In, Fixed, 8) B(404, 4, Out, Reported, 5)                    \
    B(404, 5, InOut, Fixed, 1)                                                                     \
    B(410, 2, Out, Reported, 3) B(410, 3, Out, Fixed, 1)                                           \
    B(421, 1, In, Arg, 2, 255) B(421, 3, Out, Reported, 4) B(421, 4, Out, Fixed, 1)                \
    B(430, 2, Out, Reported, 3) B(430, 3, Out, Fixed, 1)                                           \
    B(431, 2, In, Arg, 3, 255)                                                                     \
    B(432, 1, In, Fixed, 8)                                                                        \
    B(450, 2, Out, Reported, 3) B(450, 3, Out, Fixed, 1)                                           \
    B(452, 2, In, Fixed, 8)                                                                        \
    B(460, 1, In, Fixed, 16)                                                                       \
    B(461, 1, In, Fixed, 16)                                                                       \
    B(900, 2, Out, Reported, 3) B(900, 3, Out, Fixed, 1)                                           \
    B(901, 1, In, Arg, 2, 255)                                                                     \
    B(903, 1, Out, Fixed, 1)

#define KELVAR_FUNCTIONS(X)                                                                        \
    X(1, lib_ver, "lib_ver", true, (uint32_t* version))                                            \
    X(2, des_encipher, "", true,                                                                   \
      (uint8_t* out, const uint8_t* data, uint8_t length, const uint8_t* key, uint8_t keyLength))  \
    X(3, des_decipher, "", true,                                                                   \
      (uint8_t* out, const uint8_t* data, uint8_t length, const uint8_t* key, uint8_t keyLength))  \
    X(4, rf_init_com, "rf_init_com", true, (uint16_t port, const uint16_t* address))               \
    X(5, rf_init_device_number, "rf_init_device_number", true, (uint16_t number))                  \
    X(6, rf_get_device_number, "rf_get_device_number", true, (uint8_t* number))                    \
    X(7, rf_get_model, "rf_get_model", true, (int32_t dev, uint8_t* text, uint8_t* length))        \
    X(8, reserved_8, "", false, ())                                                                \
    X(9, rf_beep, "rf_beep", true, (int32_t dev, uint8_t time10ms))                                \
    X(10, rf_init_sam, "rf_init_sam", true, (int32_t dev, uint8_t baud))                           \
    X(11, rf_sam_rst, "rf_sam_rst", true, (int32_t dev, uint8_t* out, uint8_t* length))            \
    X(12, rf_sam_cos, "rf_sam_cos", true,                                                          \
      (int32_t dev, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength))     \
    X(13, rf_init_type, "rf_init_type", true, (int32_t dev, uint8_t type))                         \
    X(14, rf_antenna_sta, "rf_antenna_sta", true, (int32_t dev, uint8_t state))                    \
    X(15, rf_request, "rf_request", true, (int32_t dev, uint8_t mode, uint16_t* tagType))          \
    X(16, rf_anticoll, "rf_anticoll", true,                                                        \
      (int32_t dev, uint8_t bitCount, uint8_t* uid, uint8_t* uidLength))                           \
    X(17, rf_select, "rf_select", true,                                                            \
      (int32_t dev, const uint8_t* uid, uint8_t uidLength, uint8_t* sak))                          \
    X(18, rf_halt, "rf_halt", true, (int32_t dev))                                                 \
    X(19, reserved_19, "", true, ())                                                               \
    X(20, reserved_20, "", true, ())                                                               \
    X(21, rf_M1_authentication2, "rf_M1_authentication2", true,                                    \
      (int32_t dev, uint8_t keyType, uint8_t block, const uint8_t* key))                           \
    X(22, rf_M1_read, "rf_M1_read", true,                                                          \
      (int32_t dev, uint8_t block, uint8_t* out, uint8_t* length))                                 \
    X(23, rf_M1_write, "rf_M1_write", true, (int32_t dev, uint8_t block, const uint8_t* data))     \
    X(24, rf_M1_initval, "rf_M1_initval", true, (int32_t dev, uint8_t block, int32_t value))       \
    X(25, rf_M1_readval, "rf_M1_readval", true, (int32_t dev, uint8_t block, int32_t* value))      \
    X(26, rf_M1_decrement, "rf_M1_decrement", true, (int32_t dev, uint8_t block, int32_t value))   \
    X(27, rf_M1_increment, "rf_M1_increment", true, (int32_t dev, uint8_t block, int32_t value))   \
    X(28, reserved_28, "", true, ())                                                               \
    X(29, reserved_29, "", true, ())                                                               \
    X(30, rf_typea_rst, "rf_typea_rst", true,                                                      \
      (int32_t dev, uint8_t mode, uint8_t* out, uint8_t* length))                                  \
    X(31, rf_cos_command, "rf_cos_command", true,                                                  \
      (int32_t dev, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength))     \
    X(32, rf_atqb, "rf_atqb", true, (int32_t dev, uint8_t mode, uint8_t* out, uint8_t* length))    \
    X(33, reserved_33, "", true, ())                                                               \
    X(34, reserved_34, "", true, ())                                                               \
    X(35, reserved_35, "", true, ())                                                               \
    X(36, rf_at020_check, "rf_at020_check", true, (int32_t dev, const uint8_t* password))          \
    X(37, rf_at020_read, "rf_at020_read", true,                                                    \
      (int32_t dev, uint8_t page, uint8_t* out, uint8_t* length))                                  \
    X(38, rf_at020_write, "rf_at020_write", true, (int32_t dev, uint8_t page, const uint8_t* data)) \
    X(39, rf_at020_lock, "rf_at020_lock", true, (int32_t dev, const uint8_t* lock))                \
    X(40, rf_at020_count, "rf_at020_count", true, (int32_t dev, const uint8_t* signature))         \
    X(41, rf_at020_deselect, "rf_at020_deselect", true, (int32_t dev))                             \
    X(42, rf_light, "rf_light", true, (int32_t dev, uint8_t colour))                               \
    X(43, rf_cl_deselect, "rf_cl_deselect", true, (int32_t dev))                                   \
    X(44, reserved_44, "", true, ())                                                               \
    X(45, close_connection, "", true, ())                                                          \
    X(46, reserved_46, "", true, ())                                                               \
    X(47, rf_st_select, "rf_st_select", true, (int32_t dev, uint8_t* chipId))                      \
    X(48, reserved_48, "", true, ())                                                               \
    X(49, rf_sr176_readblock, "rf_sr176_readblock", true,                                          \
      (int32_t dev, uint8_t block, uint8_t* out, uint8_t* length))                                 \
    X(50, rf_sr176_writeblock, "rf_sr176_writeblock", true,                                        \
      (int32_t dev, uint8_t block, const uint8_t* data))                                           \
    X(51, rf_sr176_protectblock, "rf_sr176_protectblock", true, (int32_t dev, uint8_t lockReg))    \
    X(52, rf_srix4k_readblock, "rf_srix4k_readblock", true,                                        \
      (int32_t dev, uint8_t block, uint8_t* out, uint8_t* length))                                 \
    X(53, rf_srix4k_writeblock, "rf_srix4k_writeblock", true,                                      \
      (int32_t dev, uint8_t block, const uint8_t* data))                                           \
    X(54, reserved_54, "", true, ())                                                               \
    X(55, rf_srix4k_getuid, "rf_srix4k_getuid", true, (int32_t dev, uint8_t* out, uint8_t* length)) \
    X(56, rf_ul_select, "rf_ul_select", true, (int32_t dev, uint8_t* uid, uint8_t* length))        \
    X(57, rf_ul_write, "rf_ul_write", true, (int32_t dev, uint8_t page, const uint8_t* data))      \
    X(58, rf_srix4k_writelockreg, "rf_srix4k_writelockreg", true, (int32_t dev, uint8_t lockReg))  \
    X(59, ISO15693_Inventorys59, "ISO15693_Inventorys", true,                                      \
      (int32_t dev, uint8_t* out, uint8_t* length))                                                \
    X(60, reserved_60, "", true, ())                                                               \
    X(61, reserved_61, "", true, ())                                                               \
    X(62, reserved_62, "", true, ())                                                               \
    X(63, ISO15693_Read, "ISO15693_Read", true,                                                    \
      (int32_t dev, uint8_t mode, const uint8_t* uid, uint8_t block, uint8_t count, uint8_t* out,  \
       uint8_t* length))                                                                           \
    X(64, ISO15693_Write, "ISO15693_Write", true,                                                  \
      (int32_t dev, uint8_t mode, const uint8_t* uid, uint8_t block, const uint8_t* data))         \
    X(65, ISO15693_Lock_Block, "ISO15693_Lock_Block", true,                                        \
      (int32_t dev, uint8_t mode, const uint8_t* uid, uint8_t block))                              \
    X(66, ISO15693_Write_AFI, "ISO15693_Write_AFI", true,                                          \
      (int32_t dev, uint8_t mode, const uint8_t* uid, uint8_t afi))                                \
    X(67, ISO15693_Lock_AFI, "ISO15693_Lock_AFI", true,                                            \
      (int32_t dev, uint8_t mode, const uint8_t* uid))                                             \
    X(68, ISO15693_Write_DSFID, "ISO15693_Write_DSFID", true,                                      \
      (int32_t dev, uint8_t mode, const uint8_t* uid, uint8_t dsfid))                              \
    X(69, ISO15693_Lock_DSFID, "ISO15693_Lock_DSFID", true,                                        \
      (int32_t dev, uint8_t mode, const uint8_t* uid))                                             \
    X(70, ISO15693_Get_System_Information, "ISO15693_Get_System_Information", true,                \
      (int32_t dev, uint8_t mode, const uint8_t* uid, uint8_t* out, uint8_t* length))              \
    X(71, ISO15693_Get_Block_Security, "ISO15693_Get_Block_Security", true,                        \
      (int32_t dev, uint8_t mode, const uint8_t* uid, uint8_t first, uint8_t count, uint8_t* out,  \
       uint8_t* length))                                                                           \
    X(72, smartcard_rst, "smartcard_rst", true, (int32_t dev, uint8_t* out, uint8_t* length))      \
    X(73, smartcard_cos, "smartcard_cos", true,                                                    \
      (int32_t dev, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength))     \
    X(74, AT24_read, "AT24_read", true,                                                            \
      (int32_t dev, uint32_t address, uint32_t length, uint8_t* out))                              \
    X(75, AT24_write, "AT24_write", true,                                                          \
      (int32_t dev, uint32_t address, uint32_t length, const uint8_t* data))                       \
    X(76, AT1608_Rst, "AT1608_Rst", true, (int32_t dev, uint8_t* out))                             \
    X(77, AT1608_Authenticate, "AT1608_Authenticate", true,                                        \
      (int32_t dev, const uint8_t* q0q1, const uint8_t* q1))                                       \
    X(78, AT1608_VerifyPassword, "AT1608_VerifyPassword", true,                                    \
      (int32_t dev, uint8_t index, const uint8_t* password))                                       \
    X(79, AT1608_Read, "AT1608_Read", true,                                                        \
      (int32_t dev, uint8_t address, uint32_t length, uint8_t zone, uint8_t* out))                 \
    X(80, AT1608_Write, "AT1608_Write", true,                                                      \
      (int32_t dev, uint8_t address, uint8_t zone, const uint8_t* data, uint32_t length))          \
    X(81, AT1608_ReadFuse1, "AT1608_ReadFuse1", true, (int32_t dev, uint8_t* fuse))                \
    X(82, AT1608_WriteFuse1, "AT1608_WriteFuse1", true, (int32_t dev))                             \
    X(100, OpenCard, "OpenCard", true, (int32_t dev))                                              \
    X(101, reserved_101, "", true, ())                                                             \
    X(360, rf_Shc1102_Auth, "rf_Shc1102_Auth", true, (int32_t dev, const uint8_t* password))       \
    X(361, rf_Shc1102_Read, "rf_Shc1102_Read", true,                                               \
      (int32_t dev, uint8_t block, uint8_t* out, uint8_t* length))                                 \
    X(362, rf_Shc1102_Write, "rf_Shc1102_Write", true,                                             \
      (int32_t dev, uint8_t block, const uint8_t* data))                                           \
    X(380, reserved_380, "", false, ())                                                            \
    X(381, ReadTime, "ReadTime", true, (int32_t dev, uint8_t* out, uint8_t* length))               \
    X(382, WriteTime, "WriteTime", true, (int32_t dev, const uint8_t* time))                       \
    X(383, reserved_383, "", false, ())                                                            \
    X(400, ISO15693_Inventorys, "ISO15693_Inventorys", true,                                       \
      (int32_t dev, uint8_t* out, uint8_t* length))                                                \
    X(401, Srf55vp_Read, "Srf55vp_Read", true,                                                     \
      (int32_t dev, const uint8_t* uid, uint8_t page, uint8_t* out, uint8_t* length))              \
    X(402, reserved_402, "", true, ())                                                             \
    X(403, reserved_403, "", true, ())                                                             \
    X(404, Srf55vp_Write_Reread, "Srf55vp_Write_Reread", true,                                     \
      (int32_t dev, const uint8_t* uid, uint8_t page, const uint8_t* data, uint8_t* readBack,      \
       uint8_t* length))                                                                           \
    X(410, rf_DESFire_rst, "rf_DESFire_rst", false,                                                \
      (int32_t dev, uint8_t mode, uint8_t* out, uint8_t* length))                                  \
    X(420, reserved_420, "", true, ())                                                             \
    X(421, rf_transceive1, "rf_transceive1", false,                                                \
      (int32_t dev, const uint8_t* data, uint8_t length, uint8_t* out, uint8_t* outLength))        \
    X(422, reserved_422, "", false, ())                                                            \
    X(430, rf_thr1064_read, "rf_thr1064_read", true,                                               \
      (int32_t dev, uint8_t page, uint8_t* out, uint8_t* length))                                  \
    X(431, rf_thr1064_write, "rf_thr1064_write", true,                                             \
      (int32_t dev, uint8_t page, const uint8_t* data, uint8_t length))                            \
    X(432, rf_thr1064_check, "rf_thr1064_check", true, (int32_t dev, const uint8_t* key))          \
    X(450, SRF55V_Inventorys, "SRF55V_Inventorys", false,                                          \
      (int32_t dev, uint8_t afi, uint8_t* out, uint8_t* length))                                   \
    X(452, SRI64_Write, "SRI64_Write", false,                                                      \
      (int32_t dev, uint8_t mode, const uint8_t* uid, uint8_t block, uint8_t data))                \
    X(460, rf_UC_authentication, "rf_UC_authentication", true, (int32_t dev, const uint8_t* key))  \
    X(461, rf_UC_changekey, "rf_UC_changekey", true, (int32_t dev, const uint8_t* key))            \
    VIRTUAL_FIELD_FUNCTIONS(X)

// The library's own functions for its virtual field, numbered from 900 and
// never in the result log; a reader maker's library has none of them. Cards
// are numbered as in common/virtual_cards.h.
//   VirtualCardState: kNoCard when the reader does not hold the card; else
//     its flags (virtual_cards::kInField) followed by its UID or PUPI
//   VirtualCardsPlace: exactly these cards in the fields and the slot (the
//     list is never null, even when empty)
//   VirtualCardFactoryReset: the card's image back to its factory content
//   VirtualFieldFollow / VirtualFieldSetFollow: whether the program places
//     the cards of the card type it shows (kept in Kelvar.ini)
#define VIRTUAL_FIELD_FUNCTIONS(X)                                                                 \
    X(900, VirtualCardState, "", false, (int32_t dev, uint8_t card, uint8_t* out, uint8_t* length)) \
    X(901, VirtualCardsPlace, "", false, (int32_t dev, const uint8_t* cards, uint8_t count))       \
    X(902, VirtualCardFactoryReset, "", false, (int32_t dev, uint8_t card))                        \
    X(903, VirtualFieldFollow, "", false, (int32_t dev, uint8_t* on))                              \
    X(904, VirtualFieldSetFollow, "", false, (int32_t dev, uint8_t on))

namespace kelvar {

// The ordinal of the function named `cName` in the list (0 for none).
constexpr int OrdinalOf(std::string_view cName) {
#define KELVAR_ORDINAL_OF(ordinal, member, reported, required, params) \
    if (cName == #member) return ordinal;
    KELVAR_FUNCTIONS(KELVAR_ORDINAL_OF)
#undef KELVAR_ORDINAL_OF
    return 0;
}

// The two functions that open and close the connection itself: the library's
// routes and the reader server handle them apart from every other call.
inline constexpr int kOpenOrdinal = OrdinalOf("rf_init_com");
inline constexpr int kCloseOrdinal = OrdinalOf("close_connection");

}  // namespace kelvar
