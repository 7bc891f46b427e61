#include "kelvar/cards/thr1064_tag.h"

#include <algorithm>
#include <numeric>

namespace kelvar {

namespace {

constexpr uint8_t kPage0Locked = 0x01;
constexpr uint8_t kPage1Locked = 0x02;
constexpr uint8_t kPage2Locked = 0x04;
constexpr uint8_t kPage3Bit3 = 0x08;
constexpr uint8_t kKeyBit = 0x10;
constexpr uint8_t kPage3Counter = 0x20;

size_t Offset(int page) {
    return std::accumulate(Thr1064Tag::kPageSizes.begin(), Thr1064Tag::kPageSizes.begin() + page, size_t{0});
}

Bytes FactoryImage() {
    Bytes image(Offset(Thr1064Tag::kPageCount), 0x00);
    constexpr uint8_t kSerial[] = {0x54, 0x48, 0x10, 0x64, 0x3A, 0x95, 0x0C};
    std::copy(std::begin(kSerial), std::end(kSerial), image.begin());
    std::fill_n(image.begin() + Offset(Thr1064Tag::kKeyPage), 8, 0xFF);
    return image;
}

// Little-endian page values, for the count-down page.
bool Lower(std::span<const uint8_t> next, std::span<const uint8_t> old) {
    return std::lexicographical_compare(next.rbegin(), next.rend(), old.rbegin(), old.rend());
}

}  // namespace

Thr1064Page3Rights Page3Rights(uint8_t c) {
    const bool bit2 = c & kPage2Locked;
    const bool bit3 = c & kPage3Bit3;
    Thr1064Page3Rights rights;
    if (!(c & kKeyBit)) {
        rights.freeRead = true;
        rights.freeWrite = !bit3;
        return rights;
    }
    const bool counter = c & kPage3Counter;
    rights.freeRead = !bit3;
    rights.authRead = bit3 || !bit2;
    rights.authWrite = !counter && !bit2;
    rights.authDecrement = counter && !bit2;
    return rights;
}

Thr1064Tag::Thr1064Tag(ImageStore& store) : TypeBCard(store, kDefaultImageName, FactoryImage()) {}

Status Thr1064Tag::OnThr1064Check(std::span<const uint8_t, 8> key) {
    if (!Addressed()) return kNotSelected;
    const auto stored = Image().begin() + Offset(kKeyPage);
    keyChecked_ = std::equal(key.begin(), key.end(), stored);
    return keyChecked_ ? kOk : kAuthFailed;
}

Status Thr1064Tag::OnThr1064Read(uint8_t page, Bytes& data) {
    if (!Addressed()) return kNotSelected;
    if (page >= kPageCount) return kBadArgument;
    const uint8_t c = Configuration();
    if (page == kKeyPage && (c & kKeyBit)) return kAccessDenied;
    if (page == 3) {
        const Thr1064Page3Rights rights = Page3Rights(c);
        if (!rights.freeRead && !(rights.authRead && keyChecked_)) {
            return rights.authRead ? kNotAuthenticated : kAccessDenied;
        }
    }
    const auto first = Image().begin() + Offset(page);
    data.assign(first, first + kPageSizes[page]);
    return kOk;
}

bool Thr1064Tag::MayWrite(uint8_t page, std::span<const uint8_t> data) const {
    const uint8_t c = Configuration();
    switch (page) {
    case 0: return !(c & kPage0Locked);
    case 1: return !(c & kPage1Locked);
    case 2: return !(c & kPage2Locked) && (!(c & kKeyBit) || keyChecked_);
    default: break;
    }
    const Thr1064Page3Rights rights = Page3Rights(c);
    if (rights.freeWrite || (rights.authWrite && keyChecked_)) return true;
    const auto old = Image().begin() + Offset(3);
    return rights.authDecrement && keyChecked_ && Lower(data, std::span(old, old + 8));
}

Status Thr1064Tag::OnThr1064Write(uint8_t page, std::span<const uint8_t> data) {
    if (!Addressed()) return kNotSelected;
    if (page >= kPageCount || data.size() != kPageSizes[page]) return kBadArgument;
    if (!MayWrite(page, data)) return kAccessDenied;
    Bytes image = Image();
    const uint8_t configuration = Configuration();
    std::copy(data.begin(), data.end(), image.begin() + Offset(page));
    if (page == 0) image[kConfigurationOffset] |= configuration;
    return Commit(std::move(image));
}

}  // namespace kelvar
