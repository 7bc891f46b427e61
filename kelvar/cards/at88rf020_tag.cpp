#include "kelvar/cards/at88rf020_tag.h"

#include <algorithm>

namespace kelvar {

namespace {

constexpr int kLockOffset = 4;
constexpr uint16_t kCountLimit = 0xFFFF;

Bytes FactoryImage() {
    Bytes image(At88rf020Tag::kPages * At88rf020Tag::kPageSize, 0x00);
    constexpr uint8_t kIdentifier[] = {0x8E, 0x20, 0x4A, 0x13};
    std::copy(std::begin(kIdentifier), std::end(kIdentifier), image.begin());
    std::copy(At88rf020Tag::kFactoryPassword.begin(), At88rf020Tag::kFactoryPassword.end(),
              image.begin() + At88rf020Tag::kPasswordPage * At88rf020Tag::kPageSize);
    return image;
}

}  // namespace

At88rf020Tag::At88rf020Tag(ImageStore& store) : TypeBCard(store, kDefaultImageName, FactoryImage()) {}

bool At88rf020Tag::PageLocked(int page) const {
    return (Image()[kLockOffset + page / 8] >> (page % 8)) & 1u;
}

Status At88rf020Tag::CanChange() const {
    if (!IsActive()) return kNotSelected;
    return checked_ ? kOk : kNotAuthenticated;
}

Status At88rf020Tag::OnAt020Check(std::span<const uint8_t, 8> password) {
    if (!IsActive()) return kNotSelected;
    const auto stored = Image().begin() + kPasswordPage * kPageSize;
    checked_ = std::equal(password.begin(), password.end(), stored);
    return checked_ ? kOk : kAuthFailed;
}

Status At88rf020Tag::OnAt020Read(uint8_t page, Bytes& data) {
    if (!IsActive()) return kNotSelected;
    if (page >= kPages) return kBadArgument;
    if (page == kPasswordPage) return kAccessDenied;
    const auto first = Image().begin() + page * kPageSize;
    data.assign(first, first + kPageSize);
    return kOk;
}

Status At88rf020Tag::OnAt020Write(uint8_t page, std::span<const uint8_t, 8> data) {
    if (const Status status = CanChange(); status != kOk) return status;
    if (page >= kPages) return kBadArgument;
    // Page 0 changes through the lock operation, page 2 through counting.
    if (page == 0 || page == kCountPage || PageLocked(page)) return kAccessDenied;
    Bytes image = Image();
    std::copy(data.begin(), data.end(), image.begin() + page * kPageSize);
    return Commit(std::move(image));
}

Status At88rf020Tag::OnAt020Lock(std::span<const uint8_t, 4> lock) {
    if (const Status status = CanChange(); status != kOk) return status;
    Bytes image = Image();
    for (int i = 0; i < 4; ++i) image[kLockOffset + i] |= lock[i];
    return Commit(std::move(image));
}

Status At88rf020Tag::OnAt020Count(std::span<const uint8_t, 6> signature) {
    if (const Status status = CanChange(); status != kOk) return status;
    if (PageLocked(kCountPage)) return kAccessDenied;
    Bytes image = Image();
    const auto page = image.begin() + kCountPage * kPageSize;
    const uint16_t count = static_cast<uint16_t>(page[6] | (page[7] << 8));
    if (count == kCountLimit) return kAccessDenied;
    std::copy(signature.begin(), signature.end(), page);
    page[6] = static_cast<uint8_t>((count + 1) & 0xFF);
    page[7] = static_cast<uint8_t>((count + 1) >> 8);
    return Commit(std::move(image));
}

Status At88rf020Tag::OnAt020Deselect() { return Deselect(); }

}  // namespace kelvar
