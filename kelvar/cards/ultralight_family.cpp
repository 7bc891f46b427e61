#include "kelvar/cards/ultralight_family.h"

#include <algorithm>
#include <utility>

#include "kelvar/cards/ultralight_locks.h"

namespace kelvar {

namespace {

constexpr uint8_t kCascadeTag = 0x88;
constexpr uint8_t kInternalByte = 0x48;

}  // namespace

UltralightFamilyTag::UltralightFamilyTag(ImageStore& store, std::string imageName, const Bytes& factoryImage)
    : TypeACard(store, std::move(imageName), factoryImage) {}

Bytes UltralightFamilyTag::BlankImage(size_t pageCount, const TagUid& uid) {
    Bytes image(pageCount * kPageSize, 0);
    // Pages 0-2: UID0-2, BCC0, UID3-6, BCC1, internal byte, lock bytes.
    image[0] = uid[0];
    image[1] = uid[1];
    image[2] = uid[2];
    image[3] = kCascadeTag ^ uid[0] ^ uid[1] ^ uid[2];
    for (size_t i = 3; i < kUidSize; ++i) image[i + 1] = uid[i];
    image[8] = uid[3] ^ uid[4] ^ uid[5] ^ uid[6];
    image[9] = kInternalByte;
    return image;
}

Bytes UltralightFamilyTag::Uid() const {
    const Bytes& image = Image();
    return {image[0], image[1], image[2], image[4], image[5], image[6], image[7]};
}

Status UltralightFamilyTag::ReadableEnd(unsigned /*page*/, unsigned& end) const {
    end = static_cast<unsigned>(PageCount());
    return kOk;
}

Status UltralightFamilyTag::OnRead(int page, uint8_t* out) {
    if (page < 0 || static_cast<size_t>(page) >= PageCount()) return kBadArgument;
    unsigned end = 0;
    if (Status status = ReadableEnd(static_cast<unsigned>(page), end); status != kOk) return status;
    const Bytes& image = Image();
    for (unsigned i = 0; i < kReadSize / kPageSize; ++i) {
        const unsigned from = (static_cast<unsigned>(page) + i) % end;
        std::copy_n(&image[from * kPageSize], kPageSize, out + i * kPageSize);
    }
    return kOk;
}

Status UltralightFamilyTag::OnWritePage(int page, const uint8_t* data) {
    if (page < 0 || static_cast<size_t>(page) >= PageCount()) return kBadArgument;
    Bytes image = Image();
    if (Status status = ApplyWrite(static_cast<unsigned>(page), data, image); status != kOk) return status;
    return Commit(std::move(image));
}

Status UltralightFamilyTag::WriteUpperPage(unsigned page, const uint8_t* data, Bytes& image) {
    unsigned increment = 0;
    const Status status = ultralight::WriteUpperPage(image, page, data, increment);
    if (status == kOk && increment != 0) pendingIncrement_ = increment;
    return status;
}

// The counter takes a written increment when the tag powers up again; a
// failed save loses it, as a tear would.
void UltralightFamilyTag::PowerLost() {
    if (pendingIncrement_ == 0) return;
    Bytes image = Image();
    ultralight::AddToCounter(image, pendingIncrement_);
    pendingIncrement_ = 0;
    Commit(std::move(image));
}

}  // namespace kelvar
