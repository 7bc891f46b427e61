// The contact slot's secure memory card: reset, authentication, passwords,
// zones and fuses.
#include <algorithm>

#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"
#include "kelvar/cards/at88sc1608_card.h"

using kelvar::ContactCard;
using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

namespace {

// Arguments that do not fit are refused before any card is asked.
template <typename Command>
int32_t ToCard(Command&& command, bool argumentsFit = true) {
    return WhenOpen([&](VirtualReader& reader) {
        return argumentsFit ? reader.Contact().Send(command) : kelvar::kBadArgument;
    });
}

// 1 to 256 bytes.
bool ZoneLength(uint32_t length) { return length >= 1 && length <= kelvar::at88sc1608::kZoneSize; }

}  // namespace

extern "C" {

int32_t __stdcall AT1608_Rst(int32_t, uint8_t* out) {
    return ToCard([&](ContactCard& card) { return card.SecureReset(out); });
}

// `q0q1` holds Q0 then Q1; `q1` repeats Q1 and must agree with it.
int32_t __stdcall AT1608_Authenticate(int32_t, const uint8_t* q0q1, const uint8_t* q1) {
    return ToCard([&](ContactCard& card) {
        if (q0q1 == nullptr || q1 == nullptr || !std::equal(q1, q1 + 8, q0q1 + 8)) return kelvar::kBadArgument;
        return card.Authenticate(q0q1, q0q1 + 8);
    });
}

int32_t __stdcall AT1608_VerifyPassword(int32_t, uint8_t index, const uint8_t* password) {
    return ToCard([&](ContactCard& card) { return card.VerifyPassword(index, password); });
}

int32_t __stdcall AT1608_Read(int32_t, uint8_t address, uint32_t length, uint8_t zone, uint8_t* out) {
    return ToCard([&](ContactCard& card) { return card.ReadZone(zone, address, length, out); }, ZoneLength(length));
}

int32_t __stdcall AT1608_Write(int32_t, uint8_t address, uint8_t zone, const uint8_t* data, uint32_t length) {
    return ToCard([&](ContactCard& card) { return card.WriteZone(zone, address, length, data); },
                  ZoneLength(length));
}

int32_t __stdcall AT1608_ReadFuse1(int32_t, uint8_t* fuse) {
    return ToCard([&](ContactCard& card) { return card.ReadFuses(fuse); });
}

int32_t __stdcall AT1608_WriteFuse1(int32_t) {
    return ToCard([](ContactCard& card) { return card.BlowFuse(); });
}

}  // extern "C"
