#include "kelvar/cards/shc1102_tag.h"

#include <algorithm>

namespace kelvar {

namespace {

constexpr uint8_t kMakerData[] = {0x05, 0x11, 0x02, 0x00};

}  // namespace

Shc1102Tag::Shc1102Tag(ImageStore& store, std::string imageName)
    : TypeACard(store, std::move(imageName), FactoryImage()) {}

Bytes Shc1102Tag::FactoryImage() {
    Bytes image(kBlocks * kBlockSize, 0);
    std::copy(kDefaultUid.begin(), kDefaultUid.end(), image.begin());
    std::copy(std::begin(kMakerData), std::end(kMakerData), image.begin() + kBlockSize);
    std::copy(kFactoryPassword.begin(), kFactoryPassword.end(), image.begin() + kPasswordBlock * kBlockSize);
    return image;
}

Status Shc1102Tag::OnShc1102Authenticate(const uint8_t* password) {
    const auto stored = Image().begin() + kPasswordBlock * kBlockSize;
    verified_ = std::equal(password, password + kBlockSize, stored);
    return verified_ ? kOk : kAuthFailed;
}

Status Shc1102Tag::OnShc1102Read(int block, uint8_t* data) {
    if (block < 0 || block >= kBlocks) return kBadArgument;
    if (block >= kPasswordBlock && !verified_) return kNotAuthenticated;
    std::copy_n(Image().begin() + block * kBlockSize, kBlockSize, data);
    return kOk;
}

Status Shc1102Tag::OnShc1102Write(int block, const uint8_t* data) {
    if (block < 0 || block >= kBlocks) return kBadArgument;
    if (block < kFirstWritableBlock) return kAccessDenied;
    if (!verified_) return kNotAuthenticated;
    Bytes next = Image();
    std::copy_n(data, kBlockSize, next.begin() + block * kBlockSize);
    return Commit(std::move(next));
}

}  // namespace kelvar
