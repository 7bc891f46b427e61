#include "kelvar/cards/ntag203_tag.h"

#include <algorithm>
#include <utility>

#include "kelvar/cards/ultralight_locks.h"

namespace kelvar {

namespace {

// Capability container (version 1.0, 144 data bytes, read/write), then a
// lock control TLV, an empty NDEF message and the terminator TLV.
constexpr uint8_t kNdefLayout[12] = {0xE1, 0x10, 0x12, 0x00, 0x01, 0x03,
                                     0xA0, 0x10, 0x44, 0x03, 0x00, 0xFE};

}  // namespace

Ntag203Tag::Ntag203Tag(ImageStore& store, std::string imageName, const TagUid& uid)
    : UltralightFamilyTag(store, std::move(imageName), FactoryImage(uid)) {}

Bytes Ntag203Tag::FactoryImage(const TagUid& uid) {
    Bytes image = BlankImage(kPages, uid);
    std::copy(std::begin(kNdefLayout), std::end(kNdefLayout), image.begin() + 3 * kPageSize);
    return image;
}

Status Ntag203Tag::ApplyWrite(unsigned page, const uint8_t* data, Bytes& image) {
    if (page < 16) return ultralight::WriteLowerPage(image, page, data);
    return WriteUpperPage(page, data, image);
}

}  // namespace kelvar
