// The AT88RF020: 32 pages of 8 bytes, answering in RF mode 'r' once a
// request and ATTRIB made it active.
//   page 0   bytes 0 to 3 the identifier (the PUPI), bytes 4 to 7 the lock
//            bits: bit p (byte 4 + p / 8, bit p % 8) write-protects page p;
//            set bits stay set
//   page 1   free memory
//   page 2   the signature (6 bytes) and the count (2 bytes, low first),
//            changed only by the count operation
//   page 3   the password: never read, written like a page
//   pages 4 to 31 free memory
// Reading needs no password; writing, locking and counting need a password
// check since the card became active.
#pragma once

#include <array>

#include "kelvar/cards/type_b_card.h"

namespace kelvar {

class At88rf020Tag : public TypeBCard {
public:
    static constexpr int kPages = 32;
    static constexpr int kPageSize = 8;
    static constexpr int kPasswordPage = 3;
    static constexpr int kCountPage = 2;
    static constexpr std::array<uint8_t, 8> kFactoryPassword = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    static constexpr const char* kDefaultImageName = "at88rf020.img";

    explicit At88rf020Tag(ImageStore& store);

    uint8_t RfMode() const override { return kModeR; }
    Pupi PupiBytes() const override { return {Image()[0], Image()[1], Image()[2], Image()[3]}; }
    std::array<uint8_t, 3> ProtocolInfo() const override { return {}; }

    Status OnAt020Check(std::span<const uint8_t, 8> password) override;
    Status OnAt020Read(uint8_t page, Bytes& data) override;
    Status OnAt020Write(uint8_t page, std::span<const uint8_t, 8> data) override;
    Status OnAt020Lock(std::span<const uint8_t, 4> lock) override;
    Status OnAt020Count(std::span<const uint8_t, 6> signature) override;
    Status OnAt020Deselect() override;

private:
    void EndSession() override { checked_ = false; }
    bool PageLocked(int page) const;
    Status CanChange() const;

    bool checked_ = false;
};

}  // namespace kelvar
