// The SRIX4K: 128 blocks of 4 bytes (low byte first), an 8-byte UID in ROM
// and a one-byte lock register.
//   blocks 0 to 4    one-time bits: a write can clear bits, never set them
//   blocks 5 and 6   count-down counters: a write must not raise the value;
//                    a decrement of block 6 that crosses a 4096 boundary
//                    sets blocks 0 to 4 back to all ones
//   blocks 7 to 15   lockable: register bit 0 locks blocks 7 and 8, bit k
//                    (1 to 7) locks block 8 + k; set bits stay set
//   blocks 16 to 127 free memory
// The chip identifier is new at each initiate.
#pragma once

#include <array>

#include "kelvar/cards/st_tag.h"

namespace kelvar {

class Srix4kTag : public StTag {
public:
    static constexpr int kBlocks = 128;
    static constexpr int kBlockSize = 4;
    static constexpr std::array<uint8_t, 8> kUid = {0x39, 0xA4, 0x61, 0x1C, 0x5B, 0x0C, 0x02, 0xD0};
    static constexpr const char* kDefaultImageName = "srix4k.img";

    explicit Srix4kTag(ImageStore& store);

    Pupi PupiBytes() const override { return {kUid[0], kUid[1], kUid[2], kUid[3]}; }
    Bytes Identity() const override { return Bytes(kUid.begin(), kUid.end()); }
    Status OnSrix4kRead(uint8_t block, Bytes& data) override;
    Status OnSrix4kWrite(uint8_t block, std::span<const uint8_t, 4> data) override;
    Status OnSrix4kUid(Bytes& uid) override;
    Status OnSrix4kLock(uint8_t lockReg) override;

    uint8_t LockRegister() const { return Image()[kBlocks * kBlockSize]; }

private:
    uint8_t NextChipId() override;

    uint8_t chipSeed_ = kUid[0];
};

}  // namespace kelvar
