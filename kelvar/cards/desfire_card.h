// An ISO 14443-4 type A card with a 7-byte UID that answers the native
// DESFire commands: two applications of plain files, read without keys.
// Nothing on it changes, so it keeps no image.
#pragma once

#include <array>
#include <cstdint>

#include "kelvar/cards/desfire_commands.h"
#include "kelvar/cards/iso_dep_card.h"

namespace kelvar {

class DesfireCard : public IsoDepCard {
public:
    static constexpr std::array<uint8_t, 7> kDefaultUid = {0x04, 0x5A, 0x21, 0x9C, 0x3E, 0x61, 0x80};
    static constexpr std::array<uint8_t, 2> kAtqa = {0x44, 0x03};
    // TL, T0 (TA, TB, TC present, 64-byte frames), TA, TB, TC, one historical byte.
    static constexpr std::array<uint8_t, 6> kAts = {0x06, 0x75, 0x77, 0x81, 0x02, 0x80};
    static constexpr uint32_t kFirstAid = 0x4B5601;
    static constexpr uint32_t kSecondAid = 0x4B5602;

    explicit DesfireCard(ImageStore& store);

    // The applications and files of a new card.
    static std::vector<DesfireApplication> FactoryApplications();

private:
    Bytes Respond(std::span<const uint8_t> frame) override { return commands_.Respond(frame); }
    void ProtocolEnded() override { commands_.Reset(); }

    DesfireCommands commands_;
};

}  // namespace kelvar
