// The AT88SC1608 secure memory card in the contact slot: a 128-byte
// configuration zone, eight 256-byte user zones, eight password sets with
// attempt counters, three fuses and the card side of the authentication.
//
// Configuration zone (byte addresses):
//   00-07 answer to reset      08-09 fab code       0A-0B memory test zone
//   0C-0F card manufacturer    10-17 lot history    18-1F identification
//   20-27 access registers AR0..AR7, one per user zone
//   28-2F cryptogram: attempt counter, then 7 bytes  30-37 secret seed Gc
//   38-3F issuer data
//   40-7F password sets 0..7, 8 bytes each: write counter, 3-byte write
//         password, read counter, 3-byte read password; set 7's write
//         password is the secure code.
//
// Access register of a user zone: bit 7 writing needs the set's write
// password, bit 6 reading needs a password of the set, bit 5 both need the
// authentication, bit 4 the zone cannot be written, bits 2..0 the set.
// Attempt counters start at FF and lose their highest bit with each wrong
// try (8 tries); 00 locks, a right try restores FF. Fuses read as bits set
// while intact: FAB (bit 0), CMA (bit 1), PER (bit 2), blown in that order.
// Every change is in the card's image on disk before the call returns.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "kelvar/cards/contact_card.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

namespace at88sc1608 {

inline constexpr size_t kConfigSize = 128;
inline constexpr size_t kZoneSize = 256;
inline constexpr int kUserZones = 8;
inline constexpr uint8_t kConfigZone = 8;  // zone number of the configuration zone
inline constexpr size_t kImageSize = kConfigSize + kUserZones * kZoneSize + 1;

inline constexpr uint8_t kAccessRegisters = 0x20;
inline constexpr uint8_t kCryptogram = 0x28;
inline constexpr uint8_t kSeed = 0x30;
inline constexpr uint8_t kPasswordSets = 0x40;

inline constexpr uint8_t kWriteNeedsPassword = 0x80;
inline constexpr uint8_t kReadNeedsPassword = 0x40;
inline constexpr uint8_t kNeedsAuthentication = 0x20;
inline constexpr uint8_t kWriteForbidden = 0x10;

inline constexpr uint8_t kFuseFab = 0x01;
inline constexpr uint8_t kFuseCma = 0x02;
inline constexpr uint8_t kFusePer = 0x04;

// The configuration zone of a new card.
std::array<uint8_t, kConfigSize> FactoryConfiguration();

}  // namespace at88sc1608

class At88sc1608Card : public ContactCard {
public:
    explicit At88sc1608Card(ImageStore& store);
    std::string ImageName() const override;

    void OnPowerUp() override { ForgetSession(); }
    Status SecureReset(uint8_t* answer) override;
    Status Authenticate(const uint8_t* q0, const uint8_t* q1) override;
    Status VerifyPassword(uint8_t index, const uint8_t* password) override;
    Status ReadZone(uint8_t zone, uint8_t address, size_t length, uint8_t* out) override;
    Status WriteZone(uint8_t zone, uint8_t address, size_t length, const uint8_t* data) override;
    Status ReadFuses(uint8_t* fuses) override;
    Status BlowFuse() override;

private:
    void ForgetSession();
    uint8_t& Fuses() { return image_.back(); }
    bool SecureCodeVerified() const { return writeVerified_[7]; }
    Status ConfigReadAccess(size_t first, size_t end) const;
    Status ConfigWriteAccess(size_t first, size_t end) const;
    Status UserAccess(uint8_t zone, bool write) const;
    // Stores `next` as the card's image; nothing changes when that fails.
    Status Commit(Bytes next);

    ImageStore& store_;
    Bytes image_;
    std::array<bool, 8> writeVerified_{};
    std::array<bool, 8> readVerified_{};
    bool authenticated_ = false;
};

}  // namespace kelvar
