// The memory tags of the type B field: the ST tags (RF mode 's'), the
// AT88RF020 (mode 'r') and the THR1064 (mode 'B').
#include <span>

#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"
#include "kelvar/reader/frame_answer.h"

using kelvar::Bytes;
using kelvar::Status;
using kelvar::TypeBCard;
using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

namespace {

// Runs `command` on the addressed tags of the type B field; with a null
// buffer (`present` false) only the connection is checked.
template <typename Command>
int32_t ToTags(Command&& command, bool present = true) {
    return WhenOpen([&](VirtualReader& reader) -> int32_t {
        if (!present) return kelvar::kBadArgument;
        return reader.TypeB().ToTags(command);
    });
}

// A read: the tag's answer goes to `out` and its length to `length`.
template <typename Read>
int32_t ReadFromTags(uint8_t* out, uint8_t* length, Read&& read) {
    return ToTags(
        [&](TypeBCard& card) -> Status {
            Bytes data;
            const Status status = read(card, data);
            return status == kelvar::kOk ? kelvar::CopyAnswer(data, out, length) : status;
        },
        out != nullptr && length != nullptr);
}

template <size_t N>
std::span<const uint8_t, N> Fixed(const uint8_t* data) {
    return std::span<const uint8_t, N>(data, N);
}

}  // namespace

extern "C" {

int32_t __stdcall rf_st_select(int32_t, uint8_t* chipId) {
    return WhenOpen([&](VirtualReader& reader) { return reader.TypeB().StSelect(chipId); });
}

int32_t __stdcall rf_sr176_readblock(int32_t, uint8_t block, uint8_t* out, uint8_t* length) {
    return ReadFromTags(out, length, [&](TypeBCard& card, Bytes& data) { return card.OnSr176Read(block, data); });
}

int32_t __stdcall rf_sr176_writeblock(int32_t, uint8_t block, const uint8_t* data) {
    return ToTags([&](TypeBCard& card) { return card.OnSr176Write(block, Fixed<2>(data)); }, data != nullptr);
}

int32_t __stdcall rf_sr176_protectblock(int32_t, uint8_t lockReg) {
    return ToTags([&](TypeBCard& card) { return card.OnSr176Protect(lockReg); });
}

int32_t __stdcall rf_srix4k_readblock(int32_t, uint8_t block, uint8_t* out, uint8_t* length) {
    return ReadFromTags(out, length, [&](TypeBCard& card, Bytes& data) { return card.OnSrix4kRead(block, data); });
}

int32_t __stdcall rf_srix4k_writeblock(int32_t, uint8_t block, const uint8_t* data) {
    return ToTags([&](TypeBCard& card) { return card.OnSrix4kWrite(block, Fixed<4>(data)); }, data != nullptr);
}

int32_t __stdcall rf_srix4k_getuid(int32_t, uint8_t* out, uint8_t* length) {
    return ReadFromTags(out, length, [&](TypeBCard& card, Bytes& uid) { return card.OnSrix4kUid(uid); });
}

int32_t __stdcall rf_srix4k_writelockreg(int32_t, uint8_t lockReg) {
    return ToTags([&](TypeBCard& card) { return card.OnSrix4kLock(lockReg); });
}

int32_t __stdcall rf_at020_check(int32_t, const uint8_t* password) {
    return ToTags([&](TypeBCard& card) { return card.OnAt020Check(Fixed<8>(password)); }, password != nullptr);
}

int32_t __stdcall rf_at020_read(int32_t, uint8_t page, uint8_t* out, uint8_t* length) {
    return ReadFromTags(out, length, [&](TypeBCard& card, Bytes& data) { return card.OnAt020Read(page, data); });
}

int32_t __stdcall rf_at020_write(int32_t, uint8_t page, const uint8_t* data) {
    return ToTags([&](TypeBCard& card) { return card.OnAt020Write(page, Fixed<8>(data)); }, data != nullptr);
}

int32_t __stdcall rf_at020_lock(int32_t, const uint8_t* lock) {
    return ToTags([&](TypeBCard& card) { return card.OnAt020Lock(Fixed<4>(lock)); }, lock != nullptr);
}

int32_t __stdcall rf_at020_count(int32_t, const uint8_t* signature) {
    return ToTags([&](TypeBCard& card) { return card.OnAt020Count(Fixed<6>(signature)); }, signature != nullptr);
}

int32_t __stdcall rf_at020_deselect(int32_t) {
    return ToTags([&](TypeBCard& card) { return card.OnAt020Deselect(); });
}

int32_t __stdcall rf_thr1064_check(int32_t, const uint8_t* key) {
    return ToTags([&](TypeBCard& card) { return card.OnThr1064Check(Fixed<8>(key)); }, key != nullptr);
}

int32_t __stdcall rf_thr1064_read(int32_t, uint8_t page, uint8_t* out, uint8_t* length) {
    return ReadFromTags(out, length, [&](TypeBCard& card, Bytes& data) { return card.OnThr1064Read(page, data); });
}

int32_t __stdcall rf_thr1064_write(int32_t, uint8_t page, const uint8_t* data, uint8_t length) {
    return ToTags([&](TypeBCard& card) { return card.OnThr1064Write(page, std::span<const uint8_t>(data, length)); },
                  data != nullptr || length == 0);
}

}  // extern "C"
