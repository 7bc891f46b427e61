#include "kelvar/cards/at88sc1608_card.h"

#include <algorithm>
#include <cstring>

#include "common/at88sc_cipher.h"

namespace kelvar {

namespace at88sc1608 {

namespace {

constexpr uint8_t kErased = 0xFF;
constexpr uint8_t kCounterFull = 0xFF;
constexpr char kImageName[] = "at88sc1608.img";

struct Area {
    size_t first;
    size_t end;  // one past the last byte
};
constexpr Area kMemoryTest{0x0A, 0x0C};
constexpr Area kManufacturer{0x0C, 0x10};
constexpr Area kPersonal{0x18, 0x40};
constexpr Area kSeedArea{kSeed, kSeed + 8};
constexpr Area kPasswords{kPasswordSets, kConfigSize};

bool Overlaps(size_t first, size_t end, Area area) { return first < area.end && area.first < end; }
bool Within(size_t first, size_t end, Area area) { return area.first <= first && end <= area.end; }

size_t WriteCounter(int set) { return kPasswordSets + 8 * static_cast<size_t>(set); }

// One wrong try: the highest bit still set is cleared.
uint8_t CountFailure(uint8_t counter) {
    for (uint8_t bit = 0x80; bit != 0; bit >>= 1) {
        if (counter & bit) return static_cast<uint8_t>(counter & ~bit);
    }
    return 0;
}

}  // namespace

std::array<uint8_t, kConfigSize> FactoryConfiguration() {
    std::array<uint8_t, kConfigSize> c{};
    const uint8_t head[0x40] = {
        0x3B, 0xB2, 0x11, 0x00, 0x10, 0x80, 0x00, 0x16,  // answer to reset
        0x16, 0x08, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x01,  // fab code, memory test, manufacturer
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01,  // lot history
        0x56, 0x54, 0x31, 0x36, 0x30, 0x38, 0x00, 0x01,  // identification
        0x00, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xE6, 0xC7,  // access registers
        0xFF, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD,  // cryptogram
        0x47, 0x63, 0x53, 0x65, 0x65, 0x64, 0x30, 0x31,  // secret seed
        0x49, 0x53, 0x53, 0x55, 0x45, 0x52, 0x30, 0x31,  // issuer data
    };
    std::copy(std::begin(head), std::end(head), c.begin());
    for (int set = 0; set < kUserZones; ++set) {
        uint8_t* p = c.data() + WriteCounter(set);
        const auto n = static_cast<uint8_t>(set);
        const uint8_t entry[8] = {kCounterFull, uint8_t(0xA0 + n), uint8_t(0xA0 + n), uint8_t(0xA0 + n),
                                  kCounterFull, uint8_t(0xB0 + n), uint8_t(0xB0 + n), uint8_t(0xB0 + n)};
        std::memcpy(p, entry, sizeof entry);
    }
    return c;
}

}  // namespace at88sc1608

using namespace at88sc1608;

std::string At88sc1608Card::ImageName() const { return kImageName; }

At88sc1608Card::At88sc1608Card(ImageStore& store) : store_(store) {
    if (auto stored = store_.Load(kImageName, kImageSize)) {
        image_ = std::move(*stored);
        return;
    }
    image_.assign(kImageSize, kErased);
    const auto config = FactoryConfiguration();
    std::copy(config.begin(), config.end(), image_.begin());
    Fuses() = kFuseFab | kFuseCma | kFusePer;
}

void At88sc1608Card::ForgetSession() {
    writeVerified_.fill(false);
    readVerified_.fill(false);
    authenticated_ = false;
}

Status At88sc1608Card::Commit(Bytes next) {
    if (!store_.Save(kImageName, next)) return kStoreFailed;
    image_ = std::move(next);
    return kOk;
}

Status At88sc1608Card::SecureReset(uint8_t* answer) {
    if (answer == nullptr) return kBadArgument;
    ForgetSession();
    std::copy_n(image_.begin(), 4, answer);
    return kOk;
}

Status At88sc1608Card::Authenticate(const uint8_t* q0, const uint8_t* q1) {
    if (q0 == nullptr || q1 == nullptr) return kBadArgument;
    authenticated_ = false;
    const uint8_t* config = image_.data();
    if (config[kCryptogram] == 0) return kAccessDenied;
    at88sc::Block cryptogram{}, seed{}, challenge{}, answer{};
    std::copy_n(config + kCryptogram, 8, cryptogram.begin());
    std::copy_n(config + kSeed, 8, seed.begin());
    std::copy_n(q0, 8, challenge.begin());
    std::copy_n(q1, 8, answer.begin());
    Bytes next = image_;
    if (at88sc::Answer(cryptogram, seed, challenge) != answer) {
        next[kCryptogram] = CountFailure(config[kCryptogram]);
        const Status saved = Commit(std::move(next));
        return saved == kOk ? kAuthFailed : saved;
    }
    // The next cryptogram is the cipher's answer to Q1, with a full counter.
    const at88sc::Block following = at88sc::Answer(cryptogram, seed, answer);
    next[kCryptogram] = kCounterFull;
    std::copy_n(following.begin(), 7, next.begin() + kCryptogram + 1);
    const Status saved = Commit(std::move(next));
    authenticated_ = saved == kOk;
    return saved;
}

Status At88sc1608Card::VerifyPassword(uint8_t index, const uint8_t* password) {
    if (password == nullptr || index >= 2 * kUserZones) return kBadArgument;
    const bool write = index < kUserZones;
    const int set = index % kUserZones;
    const size_t counter = WriteCounter(set) + (write ? 0 : 4);
    auto& verified = write ? writeVerified_ : readVerified_;
    verified[set] = false;
    if (image_[counter] == 0) return kAccessDenied;
    Bytes next = image_;
    const bool right = std::equal(password, password + 3, image_.begin() + counter + 1);
    next[counter] = right ? kCounterFull : CountFailure(image_[counter]);
    if (next[counter] != image_[counter]) {
        if (const Status saved = Commit(std::move(next)); saved != kOk) return saved;
    }
    if (!right) return kAuthFailed;
    verified[set] = true;
    return kOk;
}

Status At88sc1608Card::ConfigReadAccess(size_t first, size_t end) const {
    if (Overlaps(first, end, kSeedArea)) {
        if (!(image_.back() & kFusePer)) return kAccessDenied;
        if (!SecureCodeVerified()) return kNotAuthenticated;
    }
    if (Overlaps(first, end, kPasswords) && !SecureCodeVerified()) return kNotAuthenticated;
    return kOk;
}

Status At88sc1608Card::ConfigWriteAccess(size_t first, size_t end) const {
    if (Within(first, end, kMemoryTest)) return kOk;
    if (!SecureCodeVerified()) return kNotAuthenticated;
    const uint8_t fuses = image_.back();
    const bool fabArea = Overlaps(first, end, {0x00, kMemoryTest.first}) || Overlaps(first, end, {0x10, 0x18});
    if (fabArea && !(fuses & kFuseFab)) return kAccessDenied;
    if (Overlaps(first, end, kManufacturer) && !(fuses & kFuseCma)) return kAccessDenied;
    if (Overlaps(first, end, kPersonal) && !(fuses & kFusePer)) return kAccessDenied;
    return kOk;
}

Status At88sc1608Card::UserAccess(uint8_t zone, bool write) const {
    const uint8_t access = image_[kAccessRegisters + zone];
    const int set = access & 0x07;
    if (write && (access & kWriteForbidden)) return kAccessDenied;
    if ((access & kNeedsAuthentication) && !authenticated_) return kNotAuthenticated;
    const bool needsPassword = access & (write ? kWriteNeedsPassword : kReadNeedsPassword);
    const bool granted = writeVerified_[set] || (!write && readVerified_[set]);
    if (needsPassword && !granted) return kNotAuthenticated;
    return kOk;
}

Status At88sc1608Card::ReadZone(uint8_t zone, uint8_t address, size_t length, uint8_t* out) {
    if (out == nullptr || zone > kConfigZone || length == 0 || length > kZoneSize) return kBadArgument;
    const size_t size = zone == kConfigZone ? kConfigSize : kZoneSize;
    if (address + length > size) return kBadArgument;
    const Status access = zone == kConfigZone ? ConfigReadAccess(address, address + length) : UserAccess(zone, false);
    if (access != kOk) return access;
    const uint8_t* from = zone == kConfigZone ? image_.data() : image_.data() + kConfigSize + zone * kZoneSize;
    std::copy_n(from + address, length, out);
    return kOk;
}

Status At88sc1608Card::WriteZone(uint8_t zone, uint8_t address, size_t length, const uint8_t* data) {
    if (data == nullptr || zone > kConfigZone || length == 0 || length > kZoneSize) return kBadArgument;
    const size_t size = zone == kConfigZone ? kConfigSize : kZoneSize;
    if (address + length > size) return kBadArgument;
    const Status access =
        zone == kConfigZone ? ConfigWriteAccess(address, address + length) : UserAccess(zone, true);
    if (access != kOk) return access;
    Bytes next = image_;
    const size_t base = zone == kConfigZone ? 0 : kConfigSize + zone * kZoneSize;
    std::copy_n(data, length, next.begin() + base + address);
    return Commit(std::move(next));
}

Status At88sc1608Card::ReadFuses(uint8_t* fuses) {
    if (fuses == nullptr) return kBadArgument;
    *fuses = image_.back();
    return kOk;
}

Status At88sc1608Card::BlowFuse() {
    if (!SecureCodeVerified()) return kNotAuthenticated;
    for (uint8_t fuse : {kFuseFab, kFuseCma, kFusePer}) {
        if (image_.back() & fuse) {
            Bytes next = image_;
            next.back() = static_cast<uint8_t>(image_.back() & ~fuse);
            return Commit(std::move(next));
        }
    }
    return kAccessDenied;  // all blown
}

}  // namespace kelvar
