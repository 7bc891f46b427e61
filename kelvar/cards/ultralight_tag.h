// The 16-page tag: pages 0-2 UID and static lock bytes, page 3 one-time
// programmable, pages 4-15 data.
#pragma once

#include <string>

#include "kelvar/cards/ultralight_family.h"

namespace kelvar {

class UltralightTag : public UltralightFamilyTag {
public:
    static constexpr size_t kPages = 16;
    static constexpr TagUid kDefaultUid = {0x5A, 0x11, 0x2C, 0x63, 0x9E, 0x41, 0x80};
    static constexpr const char* kDefaultImageName = "ultralight.img";

    explicit UltralightTag(ImageStore& store, std::string imageName = kDefaultImageName,
                           const TagUid& uid = kDefaultUid);

    // Factory state: UID, zero lock bytes, OTP and data pages.
    static Bytes FactoryImage(const TagUid& uid);

private:
    Status ApplyWrite(unsigned page, const uint8_t* data, Bytes& image) override;
};

}  // namespace kelvar
