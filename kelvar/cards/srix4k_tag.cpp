#include "kelvar/cards/srix4k_tag.h"

#include <algorithm>

namespace kelvar {

namespace {

constexpr int kOneTimeBlocks = 5;
constexpr int kCounterLow = 5;
constexpr int kCounterHigh = 6;
constexpr int kFirstLockable = 7;
constexpr int kLastLockable = 15;
constexpr uint32_t kReloadStep = 4096;

Bytes FactoryImage() {
    // The blocks, then the lock register.
    Bytes image(Srix4kTag::kBlocks * Srix4kTag::kBlockSize + 1, 0xFF);
    image.back() = 0x00;
    return image;
}

uint32_t BlockValue(const Bytes& image, int block) {
    const size_t at = static_cast<size_t>(block) * Srix4kTag::kBlockSize;
    return image[at] | (image[at + 1] << 8) | (image[at + 2] << 16) | (static_cast<uint32_t>(image[at + 3]) << 24);
}

uint32_t Value(std::span<const uint8_t, 4> data) {
    return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24);
}

int LockBitOf(int block) { return block <= 8 ? 0 : block - 8; }

}  // namespace

Srix4kTag::Srix4kTag(ImageStore& store) : StTag(store, kDefaultImageName, FactoryImage()) {}

uint8_t Srix4kTag::NextChipId() {
    chipSeed_ = static_cast<uint8_t>(chipSeed_ * 77 + 13);
    return chipSeed_;
}

Status Srix4kTag::OnSrix4kRead(uint8_t block, Bytes& data) {
    if (!Selected()) return kNotSelected;
    if (block >= kBlocks) return kBadArgument;
    const auto first = Image().begin() + block * kBlockSize;
    data.assign(first, first + kBlockSize);
    return kOk;
}

Status Srix4kTag::OnSrix4kWrite(uint8_t block, std::span<const uint8_t, 4> data) {
    if (!Selected()) return kNotSelected;
    if (block >= kBlocks) return kBadArgument;
    Bytes image = Image();
    auto target = image.begin() + block * kBlockSize;
    if (block < kOneTimeBlocks) {
        for (int i = 0; i < kBlockSize; ++i) target[i] = static_cast<uint8_t>(target[i] & data[i]);
    } else if (block == kCounterLow || block == kCounterHigh) {
        const uint32_t old = BlockValue(image, block);
        const uint32_t next = Value(data);
        if (next > old) return kAccessDenied;
        std::copy(data.begin(), data.end(), target);
        if (block == kCounterHigh && old / kReloadStep != next / kReloadStep) {
            std::fill(image.begin(), image.begin() + kOneTimeBlocks * kBlockSize, 0xFF);
        }
    } else {
        if (block >= kFirstLockable && block <= kLastLockable && (LockRegister() & (1u << LockBitOf(block)))) {
            return kAccessDenied;
        }
        std::copy(data.begin(), data.end(), target);
    }
    return Commit(std::move(image));
}

Status Srix4kTag::OnSrix4kUid(Bytes& uid) {
    if (!Selected()) return kNotSelected;
    uid.assign(kUid.begin(), kUid.end());
    return kOk;
}

Status Srix4kTag::OnSrix4kLock(uint8_t lockReg) {
    if (!Selected()) return kNotSelected;
    Bytes image = Image();
    image.back() |= lockReg;
    return Commit(std::move(image));
}

}  // namespace kelvar
