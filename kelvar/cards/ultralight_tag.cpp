#include "kelvar/cards/ultralight_tag.h"

#include <utility>

#include "kelvar/cards/ultralight_locks.h"

namespace kelvar {

UltralightTag::UltralightTag(ImageStore& store, std::string imageName, const TagUid& uid)
    : UltralightFamilyTag(store, std::move(imageName), FactoryImage(uid)) {}

Bytes UltralightTag::FactoryImage(const TagUid& uid) { return BlankImage(kPages, uid); }

Status UltralightTag::ApplyWrite(unsigned page, const uint8_t* data, Bytes& image) {
    return ultralight::WriteLowerPage(image, page, data);
}

}  // namespace kelvar
