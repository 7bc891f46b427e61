// The 42-page NFC tag: the 16-page layout, data pages 16-39 under the
// dynamic lock bytes of page 40, and a 16-bit one-way counter on page 41
// whose increments count from the next RF reset.
#pragma once

#include <string>

#include "kelvar/cards/ultralight_family.h"

namespace kelvar {

class Ntag203Tag : public UltralightFamilyTag {
public:
    static constexpr size_t kPages = 42;
    static constexpr TagUid kDefaultUid = {0x5A, 0x23, 0x7B, 0x0E, 0xC5, 0x31, 0x96};
    static constexpr const char* kDefaultImageName = "ntag203.img";

    explicit Ntag203Tag(ImageStore& store, std::string imageName = kDefaultImageName,
                        const TagUid& uid = kDefaultUid);

    // Factory state: formatted for NDEF (capability container on page 3, an
    // empty message from page 4), lock bytes and counter zero.
    static Bytes FactoryImage(const TagUid& uid);

private:
    Status ApplyWrite(unsigned page, const uint8_t* data, Bytes& image) override;
};

}  // namespace kelvar
