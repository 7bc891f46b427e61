#include "kelvar/cards/iso15693_tag.h"

#include <algorithm>

namespace kelvar {

namespace {

constexpr uint8_t kDsfidLocked = 0x01;
constexpr uint8_t kAfiLocked = 0x02;
// DSFID, AFI, memory size and IC reference present.
constexpr uint8_t kInformationFlags = 0x0F;

}  // namespace

Iso15693Tag::Iso15693Tag(ImageStore& store, const Iso15693Profile& profile) : store_(store), profile_(profile) {
    if (auto stored = store_.Load(profile_.imageName, ImageSize())) {
        image_ = std::move(*stored);
        return;
    }
    image_.assign(ImageSize(), 0);
    image_[DsfidAt()] = profile_.dsfid;
    image_[AfiAt()] = profile_.afi;
}

bool Iso15693Tag::Addressed(std::span<const uint8_t> uid) const {
    return uid.size() == profile_.uid.size() && std::equal(uid.begin(), uid.end(), profile_.uid.begin());
}

void Iso15693Tag::SystemInformation(uint8_t* out) const {
    out[0] = kInformationFlags;
    std::copy(profile_.uid.begin(), profile_.uid.end(), out + 1);
    out[9] = Dsfid();
    out[10] = Afi();
    out[11] = static_cast<uint8_t>(profile_.blockCount - 1);
    out[12] = kBlockSize - 1;
    out[13] = profile_.icReference;
}

bool Iso15693Tag::RangeValid(size_t first, size_t count) const {
    return count > 0 && first < profile_.blockCount && count <= profile_.blockCount - first;
}

Status Iso15693Tag::ReadBlocks(size_t first, size_t count, uint8_t* out) const {
    if (out == nullptr || !RangeValid(first, count)) return kBadArgument;
    std::copy_n(image_.begin() + first * kBlockSize, count * kBlockSize, out);
    return kOk;
}

Status Iso15693Tag::ReadAnswer(bool option, size_t first, size_t count, uint8_t* out, uint8_t* length) const {
    if (out == nullptr || length == nullptr || !RangeValid(first, count)) return kBadArgument;
    size_t at = 0;
    for (size_t block = first; block < first + count; ++block) {
        if (option) out[at++] = image_[LocksAt() + block];
        std::copy_n(image_.begin() + block * kBlockSize, kBlockSize, out + at);
        at += kBlockSize;
    }
    *length = static_cast<uint8_t>(at);
    return kOk;
}

Status Iso15693Tag::BlockSecurity(size_t first, size_t count, uint8_t* out) const {
    if (out == nullptr || !RangeValid(first, count)) return kBadArgument;
    std::copy_n(image_.begin() + LocksAt() + first, count, out);
    return kOk;
}

Status Iso15693Tag::WriteBlock(bool option, size_t block, const uint8_t* data) {
    if (data == nullptr || block >= profile_.blockCount) return kBadArgument;
    if (profile_.optionRequired && !option) return kCardError;
    if (image_[LocksAt() + block] & kBlockLocked) return kAccessDenied;
    return Commit([&](Bytes& image) { std::copy_n(data, kBlockSize, image.begin() + block * kBlockSize); });
}

Status Iso15693Tag::WriteBlocks(bool option, size_t first, size_t count, const uint8_t* data) {
    if (data == nullptr || !RangeValid(first, count)) return kBadArgument;
    if (profile_.optionRequired && !option) return kCardError;
    for (size_t block = first; block < first + count; ++block) {
        if (image_[LocksAt() + block] & kBlockLocked) return kAccessDenied;
    }
    return Commit([&](Bytes& image) { std::copy_n(data, count * kBlockSize, image.begin() + first * kBlockSize); });
}

Status Iso15693Tag::ReadPage(size_t, uint8_t*) const { return kCardError; }
Status Iso15693Tag::WritePage(size_t, const uint8_t*) { return kCardError; }
Status Iso15693Tag::WriteByteBlock(size_t, uint8_t) { return kCardError; }
Status Iso15693Tag::CustomCommand(uint8_t, std::span<const uint8_t>, Bytes&) { return kCardError; }

Status Iso15693Tag::LockBlock(bool option, size_t block) {
    if (block >= profile_.blockCount) return kBadArgument;
    if (profile_.optionRequired && !option) return kCardError;
    if (image_[LocksAt() + block] & kBlockLocked) return kAccessDenied;
    return Commit([&](Bytes& image) { image[LocksAt() + block] |= kBlockLocked; });
}

Status Iso15693Tag::ChangeByte(bool option, size_t at, uint8_t lockFlag, uint8_t value) {
    if (profile_.optionRequired && !option) return kCardError;
    if (image_[FlagsAt()] & lockFlag) return kAccessDenied;
    return Commit([&](Bytes& image) { image[at] = value; });
}

Status Iso15693Tag::SetLockFlag(bool option, uint8_t lockFlag) {
    if (profile_.optionRequired && !option) return kCardError;
    if (image_[FlagsAt()] & lockFlag) return kAccessDenied;
    return Commit([&](Bytes& image) { image[FlagsAt()] |= lockFlag; });
}

Status Iso15693Tag::WriteDsfid(bool option, uint8_t dsfid) { return ChangeByte(option, DsfidAt(), kDsfidLocked, dsfid); }
Status Iso15693Tag::LockDsfid(bool option) { return SetLockFlag(option, kDsfidLocked); }
Status Iso15693Tag::WriteAfi(bool option, uint8_t afi) { return ChangeByte(option, AfiAt(), kAfiLocked, afi); }
Status Iso15693Tag::LockAfi(bool option) { return SetLockFlag(option, kAfiLocked); }

}  // namespace kelvar
