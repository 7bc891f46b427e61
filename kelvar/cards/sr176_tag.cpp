#include "kelvar/cards/sr176_tag.h"

#include <algorithm>

namespace kelvar {

namespace {

constexpr int kUidBlocks = 4;

Bytes FactoryImage() {
    Bytes image(Sr176Tag::kBlocks * Sr176Tag::kBlockSize, 0xFF);
    constexpr uint8_t kUid[] = {0x5A, 0x31, 0x7C, 0x20, 0x0E, 0x71, 0x02, 0xD0};
    std::copy(std::begin(kUid), std::end(kUid), image.begin());
    image[Sr176Tag::kSystemBlock * Sr176Tag::kBlockSize] = 0x06;      // chip identifier
    image[Sr176Tag::kSystemBlock * Sr176Tag::kBlockSize + 1] = 0x00;  // nothing locked
    return image;
}

}  // namespace

Sr176Tag::Sr176Tag(ImageStore& store) : StTag(store, kDefaultImageName, FactoryImage()) {}

TypeBCard::Pupi Sr176Tag::PupiBytes() const { return {Image()[0], Image()[1], Image()[2], Image()[3]}; }

Status Sr176Tag::OnSr176Read(uint8_t block, Bytes& data) {
    if (!Selected()) return kNotSelected;
    if (block >= kBlocks) return kBadArgument;
    const auto first = Image().begin() + block * kBlockSize;
    data.assign(first, first + kBlockSize);
    return kOk;
}

Status Sr176Tag::OnSr176Write(uint8_t block, std::span<const uint8_t, 2> data) {
    if (!Selected()) return kNotSelected;
    if (block >= kBlocks) return kBadArgument;
    // The UID is in ROM; the register block changes only through protect.
    if (block < kUidBlocks || block == kSystemBlock) return kAccessDenied;
    if (LockRegister() & (1u << (block / 2))) return kAccessDenied;
    Bytes image = Image();
    std::copy(data.begin(), data.end(), image.begin() + block * kBlockSize);
    return Commit(std::move(image));
}

Status Sr176Tag::OnSr176Protect(uint8_t lockReg) {
    if (!Selected()) return kNotSelected;
    Bytes image = Image();
    image[kSystemBlock * kBlockSize + 1] |= lockReg;
    return Commit(std::move(image));
}

}  // namespace kelvar
