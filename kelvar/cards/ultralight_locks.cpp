#include "kelvar/cards/ultralight_locks.h"

#include <algorithm>

namespace kelvar::ultralight {

namespace {

constexpr unsigned kStaticLock0 = kStaticLockPage * kPageSize + 2;
constexpr unsigned kDynamicLock0 = kDynamicLockPage * kPageSize;
constexpr unsigned kLowerPages = 16;
constexpr unsigned kLastDataPage = 39;

bool Bit(uint8_t byte, unsigned bit) { return (byte >> bit) & 1; }

// ORs `requested` into `current`, leaving the bits in `frozen` as they are.
uint8_t MergeLockByte(uint8_t current, uint8_t requested, uint8_t frozen) {
    return static_cast<uint8_t>(current | (requested & ~frozen));
}

void MergeStaticLock(Bytes& image, const uint8_t* requested) {
    const uint8_t lock0 = image[kStaticLock0];
    const uint8_t lock1 = image[kStaticLock0 + 1];
    uint8_t frozen0 = 0, frozen1 = 0;
    if (Bit(lock0, 0)) frozen0 |= 0x08;
    if (Bit(lock0, 1)) frozen0 |= 0xF0, frozen1 |= 0x03;
    if (Bit(lock0, 2)) frozen1 |= 0xFC;
    image[kStaticLock0] = MergeLockByte(lock0, requested[0], frozen0);
    image[kStaticLock0 + 1] = MergeLockByte(lock1, requested[1], frozen1);
}

void MergeDynamicLock(Bytes& image, const uint8_t* requested) {
    const uint8_t lock0 = image[kDynamicLock0];
    const uint8_t lock1 = image[kDynamicLock0 + 1];
    uint8_t frozen0 = 0;
    if (Bit(lock0, 0)) frozen0 |= 0x0E;
    if (Bit(lock0, 4)) frozen0 |= 0xE0;
    const uint8_t frozen1 = Bit(lock1, 0) ? 0x1E : 0x00;
    image[kDynamicLock0] = MergeLockByte(lock0, requested[0], frozen0);
    image[kDynamicLock0 + 1] = MergeLockByte(lock1, requested[1], frozen1);
}

void CopyPage(Bytes& image, unsigned page, const uint8_t* data) {
    for (unsigned i = 0; i < kPageSize; ++i) image[page * kPageSize + i] = data[i];
}

}  // namespace

bool PageLocked(const Bytes& image, unsigned page) {
    const uint8_t lock0 = image[kStaticLock0];
    const uint8_t lock1 = image[kStaticLock0 + 1];
    if (page == kOtpPage) return Bit(lock0, 3);
    if (page >= 4 && page <= 7) return Bit(lock0, page);
    if (page >= 8 && page < kLowerPages) return Bit(lock1, page - 8);
    if (page < kLowerPages || image.size() <= kDynamicLock0 + 1) return false;

    const uint8_t dyn0 = image[kDynamicLock0];
    const uint8_t dyn1 = image[kDynamicLock0 + 1];
    if (page <= kLastDataPage) {
        static constexpr unsigned kGroupBits[6] = {1, 2, 3, 5, 6, 7};
        return Bit(dyn0, kGroupBits[(page - kLowerPages) / 4]);
    }
    switch (page) {
        case kCounterPage: return Bit(dyn1, 1);
        case 42: return Bit(dyn1, 2);
        case 43: return Bit(dyn1, 3);
        case 44: case 45: case 46: case 47: return Bit(dyn1, 4);
        default: return false;  // the lock page itself: its bits protect themselves
    }
}

Status WriteLowerPage(Bytes& image, unsigned page, const uint8_t* data) {
    if (page < kStaticLockPage) return kAccessDenied;
    if (page == kStaticLockPage) {
        MergeStaticLock(image, data + 2);  // bytes 0-1 (serial check byte, internal) are fixed
        return kOk;
    }
    if (PageLocked(image, page)) return kAccessDenied;
    if (page == kOtpPage) {
        for (unsigned i = 0; i < kPageSize; ++i) image[kOtpPage * kPageSize + i] |= data[i];
        return kOk;
    }
    CopyPage(image, page, data);
    return kOk;
}

Status WriteUpperPage(Bytes& image, unsigned page, const uint8_t* data, unsigned& counterIncrement) {
    counterIncrement = 0;
    if (page == kDynamicLockPage) {
        MergeDynamicLock(image, data);
        return kOk;
    }
    if (PageLocked(image, page)) return kAccessDenied;
    if (page == kCounterPage) return WriteCounter(image, data, counterIncrement);
    CopyPage(image, page, data);
    return kOk;
}

namespace {

constexpr unsigned kCounterAt = kCounterPage * kPageSize;

unsigned Counter(const Bytes& image) { return image[kCounterAt] | (image[kCounterAt + 1] << 8); }

void SetCounter(Bytes& image, unsigned value) {
    image[kCounterAt] = static_cast<uint8_t>(value);
    image[kCounterAt + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

Status WriteCounter(Bytes& image, const uint8_t* data, unsigned& increment) {
    increment = 0;
    if (PageLocked(image, kCounterPage)) return kAccessDenied;
    const unsigned current = Counter(image);
    if (current == 0) {
        SetCounter(image, data[0] | (data[1] << 8));
        return kOk;
    }
    const unsigned added = data[0] & 0x0F;
    if (current + added > 0xFFFF) return kCardError;
    increment = added;
    return kOk;
}

void AddToCounter(Bytes& image, unsigned increment) { SetCounter(image, std::min(Counter(image) + increment, 0xFFFFu)); }

}  // namespace kelvar::ultralight
