// An ISO 14443-4 type A processor card with a 4-byte UID: the processor
// card file system behind its APDUs. Updates are in its image before the
// answer is given.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "kelvar/cards/apdu_responder.h"
#include "kelvar/cards/iso_dep_card.h"
#include "kelvar/cards/processor_card_files.h"
#include "kelvar/crypto/random_bytes.h"

namespace kelvar {

class ProCard : public IsoDepCard {
public:
    static constexpr std::array<uint8_t, 4> kDefaultUid = {0x3E, 0x91, 0x5C, 0xA7};
    static constexpr std::array<uint8_t, 2> kAtqa = {0x08, 0x00};
    // TL, T0 (TA, TB, TC present, 256-byte frames), TA, TB, TC, 11 historical bytes.
    static constexpr std::array<uint8_t, 16> kAts = {0x10, 0x78, 0x80, 0x70, 0x02, 0x4B, 0x56, 0x2D, 0x50,
                                                     0x52, 0x4F, 0x2D, 0x30, 0x31, 0x00, 0x00};
    static constexpr ProcessorCardContent kContent = {
        "KV PROCESSOR CARD TYPE A", 0x1001, {0xF0, 0x4B, 0x56, 0x01, 0x00, 0x01},
        "ACCOUNT 6001 0000 0001 / HOLDER VANTREL TEST / VALID 2030-12"};
    static constexpr const char* kDefaultImageName = "mifarepro.img";

    explicit ProCard(ImageStore& store, RandomBytes random = SystemRandomBytes());

private:
    Bytes Respond(std::span<const uint8_t> frame) override;
    void ProtocolEnded() override { files_.Reset(); }

    ApduResponder files_;
};

}  // namespace kelvar
