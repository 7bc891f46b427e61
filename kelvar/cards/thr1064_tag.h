// The THR1064: page 0 (8 bytes), page 1 (40 bytes), page 2 (8 bytes), page 3
// (8 bytes), reached in RF mode 'B' once selected (ATTRIB). Byte 7 of
// page 0 is the configuration (bits can be set, never cleared):
//   bit 0, 1   page 0, page 1 not writable
//   bit 2      page 2 not writable
//   bit 4      page 2 is the key: never read, written only after a key check
//   page 3     bit 4 clear: read freely, written unless bit 3
//              bit 4 set: see Page3Rights
// The key check compares with page 2 and holds until the field goes off.
#pragma once

#include <array>

#include "kelvar/cards/type_b_card.h"

namespace kelvar {

struct Thr1064Page3Rights {
    bool freeRead = false;
    bool freeWrite = false;
    bool authDecrement = false;  // written after a key check, to a lower value
    bool authRead = false;
    bool authWrite = false;
};

Thr1064Page3Rights Page3Rights(uint8_t configuration);

class Thr1064Tag : public TypeBCard {
public:
    static constexpr int kPageCount = 4;
    static constexpr std::array<uint8_t, 4> kPageSizes = {8, 40, 8, 8};
    static constexpr int kKeyPage = 2;
    static constexpr int kConfigurationOffset = 7;
    static constexpr const char* kDefaultImageName = "thr1064.img";

    explicit Thr1064Tag(ImageStore& store);

    Pupi PupiBytes() const override { return {Image()[0], Image()[1], Image()[2], Image()[3]}; }
    std::array<uint8_t, 3> ProtocolInfo() const override { return {0x00, 0x80, 0x00}; }

    Status OnThr1064Check(std::span<const uint8_t, 8> key) override;
    Status OnThr1064Read(uint8_t page, Bytes& data) override;
    Status OnThr1064Write(uint8_t page, std::span<const uint8_t> data) override;

    uint8_t Configuration() const { return Image()[kConfigurationOffset]; }

private:
    void OnFieldReset() override { keyChecked_ = false; }
    void EndSession() override { keyChecked_ = false; }
    bool Addressed() const { return IsActive(); }
    bool MayWrite(uint8_t page, std::span<const uint8_t> data) const;

    bool keyChecked_ = false;
};

}  // namespace kelvar
