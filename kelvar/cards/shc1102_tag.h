// The SHC1102 tag: 16 blocks of 4 bytes. Blocks 0 and 1 (UID and maker
// data) are fixed; blocks 0 to 7 read freely; the password lives in block 8
// and guards reading blocks 8 to 15 and every write. A verified password
// holds until the field goes off or a wrong one is presented.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "kelvar/cards/type_a_card.h"

namespace kelvar {

class Shc1102Tag : public TypeACard {
public:
    static constexpr int kBlocks = 16;
    static constexpr int kBlockSize = 4;
    static constexpr int kPasswordBlock = 8;
    static constexpr int kFirstWritableBlock = 2;
    static constexpr std::array<uint8_t, 4> kDefaultUid = {0x8E, 0x52, 0x1C, 0x6B};
    static constexpr std::array<uint8_t, 4> kFactoryPassword = {0xFF, 0xFF, 0xFF, 0xFF};
    static constexpr const char* kDefaultImageName = "shc1102.img";

    explicit Shc1102Tag(ImageStore& store, std::string imageName = kDefaultImageName);

    // Block 0 the UID, block 1 maker data, block 8 the factory password.
    static Bytes FactoryImage();

    Bytes Uid() const override { return Bytes(kDefaultUid.begin(), kDefaultUid.end()); }
    std::array<uint8_t, 2> Atqa() const override { return {0x04, 0x00}; }
    uint8_t Sak() const override { return 0x00; }

private:
    Status OnShc1102Authenticate(const uint8_t* password) override;
    Status OnShc1102Read(int block, uint8_t* data) override;
    Status OnShc1102Write(int block, const uint8_t* data) override;
    void EndSession() override { verified_ = false; }
    void PowerLost() override { verified_ = false; }

    bool verified_ = false;
};

}  // namespace kelvar
