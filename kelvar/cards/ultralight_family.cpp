#include "kelvar/cards/ultralight_family.h"

#include <algorithm>
#include <utility>

namespace kelvar {

namespace {

constexpr uint8_t kCascadeTag = 0x88;
constexpr uint8_t kInternalByte = 0x48;
constexpr uint8_t kAtqa[UltralightFamilyTag::kAtqaSize] = {0x44, 0x00};

}  // namespace

UltralightFamilyTag::UltralightFamilyTag(ImageStore& store, std::string imageName, Bytes factoryImage)
    : store_(store), imageName_(std::move(imageName)) {
    auto stored = store_.Load(imageName_, factoryImage.size());
    image_ = stored ? std::move(*stored) : std::move(factoryImage);
}

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

TagUid UltralightFamilyTag::Uid() const {
    return {image_[0], image_[1], image_[2], image_[4], image_[5], image_[6], image_[7]};
}

void UltralightFamilyTag::LeaveActive() {
    if (activation_.IsActive()) EndSession();
}

void UltralightFamilyTag::FieldReset() {
    LeaveActive();
    activation_.Reset();
}

void UltralightFamilyTag::Deactivate() { FieldReset(); }

Status UltralightFamilyTag::Request(uint8_t mode, uint8_t* atqa) {
    if (atqa == nullptr) return kBadArgument;
    const bool wasActive = activation_.IsActive();
    if (const Status status = activation_.Request(mode); status != kOk) return status;
    if (wasActive) EndSession();
    atqa[0] = kAtqa[0];
    atqa[1] = kAtqa[1];
    return kOk;
}

Status UltralightFamilyTag::Select(uint8_t* uid) {
    if (uid == nullptr) return kBadArgument;
    if (!activation_.IsReady()) return kNoCard;
    const TagUid value = Uid();
    std::copy(value.begin(), value.end(), uid);
    activation_.Activate();
    return kOk;
}

Status UltralightFamilyTag::Halt() {
    LeaveActive();
    return activation_.Halt();
}

Status UltralightFamilyTag::ReadableEnd(unsigned /*page*/, unsigned& end) const {
    end = static_cast<unsigned>(PageCount());
    return kOk;
}

Status UltralightFamilyTag::Read(uint8_t page, uint8_t* out) {
    if (out == nullptr || page >= PageCount()) return kBadArgument;
    if (!activation_.IsActive()) return kNotSelected;
    unsigned end = 0;
    if (Status status = ReadableEnd(page, end); status != kOk) return status;
    for (unsigned i = 0; i < kReadSize / kPageSize; ++i) {
        const unsigned from = (page + i) % end;
        std::copy_n(&image_[from * kPageSize], kPageSize, out + i * kPageSize);
    }
    return kOk;
}

Status UltralightFamilyTag::Write(uint8_t page, const uint8_t* data) {
    if (data == nullptr || page >= PageCount()) return kBadArgument;
    if (!activation_.IsActive()) return kNotSelected;
    Bytes image = image_;
    if (Status status = ApplyWrite(page, data, image); status != kOk) return status;
    return Commit(std::move(image));
}

Status UltralightFamilyTag::Commit(Bytes image) {
    if (image == image_) return kOk;
    if (!store_.Save(imageName_, image)) return kStoreFailed;
    image_ = std::move(image);
    return kOk;
}

}  // namespace kelvar
