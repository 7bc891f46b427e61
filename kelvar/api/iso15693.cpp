// ISO 15693 tags: inventory and the requests addressed to one tag by UID.
#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"

using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

extern "C" {

int32_t __stdcall ISO15693_Inventorys(int32_t, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Vicinity().Inventory(out, length); });
}

int32_t __stdcall ISO15693_Get_System_Information(int32_t, uint8_t mode, const uint8_t* uid, uint8_t* out,
                                                  uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) {
        return reader.Vicinity().GetSystemInformation(mode, uid, out, length);
    });
}

int32_t __stdcall ISO15693_Read(int32_t, uint8_t mode, const uint8_t* uid, uint8_t block, uint8_t count,
                                uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) {
        return reader.Vicinity().Read(mode, uid, block, count, out, length);
    });
}

int32_t __stdcall ISO15693_Get_Block_Security(int32_t, uint8_t mode, const uint8_t* uid, uint8_t first,
                                              uint8_t count, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) {
        return reader.Vicinity().GetBlockSecurity(mode, uid, first, count, out, length);
    });
}

int32_t __stdcall ISO15693_Write(int32_t, uint8_t mode, const uint8_t* uid, uint8_t block, const uint8_t* data) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Vicinity().Write(mode, uid, block, data); });
}

int32_t __stdcall ISO15693_Lock_Block(int32_t, uint8_t mode, const uint8_t* uid, uint8_t block) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Vicinity().LockBlock(mode, uid, block); });
}

int32_t __stdcall ISO15693_Write_AFI(int32_t, uint8_t mode, const uint8_t* uid, uint8_t afi) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Vicinity().WriteAfi(mode, uid, afi); });
}

int32_t __stdcall ISO15693_Lock_AFI(int32_t, uint8_t mode, const uint8_t* uid) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Vicinity().LockAfi(mode, uid); });
}

int32_t __stdcall ISO15693_Write_DSFID(int32_t, uint8_t mode, const uint8_t* uid, uint8_t dsfid) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Vicinity().WriteDsfid(mode, uid, dsfid); });
}

int32_t __stdcall ISO15693_Lock_DSFID(int32_t, uint8_t mode, const uint8_t* uid) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Vicinity().LockDsfid(mode, uid); });
}

// The makers' own inventories find only their tags.
constexpr uint8_t kMakerSri = 0x02;
constexpr uint8_t kMakerSrf55v = 0x05;

int32_t __stdcall ISO15693_Inventorys59(int32_t, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Vicinity().MakerInventory(kMakerSri, 0, out, length); });
}

int32_t __stdcall SRF55V_Inventorys(int32_t, uint8_t afi, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) {
        return reader.Vicinity().MakerInventory(kMakerSrf55v, afi, out, length);
    });
}

int32_t __stdcall Srf55vp_Read(int32_t, const uint8_t* uid, uint8_t page, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Vicinity().ReadPage(uid, page, out, length); });
}

int32_t __stdcall Srf55vp_Write_Reread(int32_t, const uint8_t* uid, uint8_t page, const uint8_t* data,
                                       uint8_t* readBack, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) {
        return reader.Vicinity().WritePageReadBack(uid, page, data, readBack, length);
    });
}

int32_t __stdcall SRI64_Write(int32_t, uint8_t mode, const uint8_t* uid, uint8_t block, uint8_t data) {
    return WhenOpen([&](VirtualReader& reader) { return reader.Vicinity().WriteByteBlock(mode, uid, block, data); });
}

}  // extern "C"
