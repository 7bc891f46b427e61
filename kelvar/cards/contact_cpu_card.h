// An ISO 7816 processor card in the contact slot (T=0): the processor card
// file system behind its APDUs, the same as the contactless processor cards
// carry. Updates are in its image before the answer is given.
#pragma once

#include <array>
#include <cstdint>

#include "kelvar/cards/apdu_responder.h"
#include "kelvar/cards/contact_card.h"
#include "kelvar/cards/processor_card_files.h"
#include "kelvar/crypto/random_bytes.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class ContactCpuCard : public ContactCard {
public:
    // TS (direct convention), T0 (TB1 and TC1 present, 8 historical bytes),
    // TB1 (no programming voltage), TC1 (no extra guard time), "KV-CPU01".
    static constexpr std::array<uint8_t, 12> kAtr = {0x3B, 0x68, 0x00, 0x00, 0x4B, 0x56,
                                                     0x2D, 0x43, 0x50, 0x55, 0x30, 0x31};
    static constexpr ProcessorCardContent kContent = {
        "KV PROCESSOR CARD CONTACT", 0x3001, {0xF0, 0x4B, 0x56, 0x03, 0x00, 0x01},
        "ACCOUNT 6003 0000 0001 / HOLDER VANTREL TEST / VALID 2030-12"};
    static constexpr const char* kImageName = "contactcpu.img";

    explicit ContactCpuCard(ImageStore& store, RandomBytes random = SystemRandomBytes());
    std::string ImageName() const override { return kImageName; }

    Status Reset(Bytes& atr) override;
    Status Exchange(std::span<const uint8_t> apdu, Bytes& answer) override;

private:
    ImageStore& store_;
    ApduResponder files_;
};

}  // namespace kelvar
