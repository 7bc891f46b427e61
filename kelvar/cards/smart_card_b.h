// An ISO 14443-4 type B processor card: the processor card file system
// behind its APDUs. Updates are in its image before the answer is given.
#pragma once

#include <array>
#include <cstdint>

#include "kelvar/cards/apdu_responder.h"
#include "kelvar/cards/processor_card_files.h"
#include "kelvar/cards/type_b_card.h"
#include "kelvar/crypto/random_bytes.h"

namespace kelvar {

class SmartCardB : public TypeBCard {
public:
    static constexpr Pupi kDefaultPupi = {0x6B, 0x2F, 0xD0, 0x19};
    // 106 kbit/s only; 256-byte frames, ISO 14443-4; FWI 7, CID supported.
    static constexpr std::array<uint8_t, 3> kProtocolInfo = {0x00, 0x81, 0x71};
    static constexpr ProcessorCardContent kContent = {
        "KV PROCESSOR CARD TYPE B", 0x2001, {0xF0, 0x4B, 0x56, 0x02, 0x00, 0x01},
        "ACCOUNT 6002 0000 0001 / HOLDER VANTREL TEST / VALID 2030-12"};
    static constexpr const char* kDefaultImageName = "smartcardb.img";

    explicit SmartCardB(ImageStore& store, RandomBytes random = SystemRandomBytes());

    Pupi PupiBytes() const override { return kDefaultPupi; }
    std::array<uint8_t, 3> ProtocolInfo() const override { return kProtocolInfo; }

private:
    Status OnExchange(std::span<const uint8_t> frame, Bytes& answer) override;
    void EndSession() override { files_.Reset(); }

    ApduResponder files_;
};

}  // namespace kelvar
