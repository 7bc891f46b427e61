// The SR176: 16 blocks of 2 bytes (low byte first). Blocks 0 to 3 hold the
// UID and are read-only; block 15 holds the chip identifier (low 4 bits of
// its low byte) and the lock register (its high byte). Lock register bit k
// write-protects blocks 2k and 2k+1; its bits can be set, never cleared.
#pragma once

#include "kelvar/cards/st_tag.h"

namespace kelvar {

class Sr176Tag : public StTag {
public:
    static constexpr int kBlocks = 16;
    static constexpr int kBlockSize = 2;
    static constexpr int kSystemBlock = 15;
    static constexpr const char* kDefaultImageName = "sr176.img";

    explicit Sr176Tag(ImageStore& store);

    Pupi PupiBytes() const override;
    Bytes Identity() const override { return Bytes(Image().begin(), Image().begin() + 8); }
    Status OnSr176Read(uint8_t block, Bytes& data) override;
    Status OnSr176Write(uint8_t block, std::span<const uint8_t, 2> data) override;
    Status OnSr176Protect(uint8_t lockReg) override;

    uint8_t LockRegister() const { return Image()[kSystemBlock * kBlockSize + 1]; }

private:
    uint8_t NextChipId() override { return Image()[kSystemBlock * kBlockSize] & 0x0F; }
};

}  // namespace kelvar
