// A type A card that speaks ISO 14443-4: once selected it answers RATS with
// its ATS and enters the protocol state, where frames reach Respond and a
// DESELECT halts it. Frames before the ATS, a second RATS and a DESELECT
// outside the protocol state are refused like any unknown command.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "kelvar/cards/type_a_card.h"

namespace kelvar {

struct IsoDepIdentity {
    Bytes uid;                   // 4 or 7 bytes
    std::array<uint8_t, 2> atqa;
    Bytes ats;                   // from TL (its own length) on
};

class IsoDepCard : public TypeACard {
public:
    Bytes Uid() const override { return identity_.uid; }
    std::array<uint8_t, 2> Atqa() const override { return identity_.atqa; }
    uint8_t Sak() const override { return kIsoDepSak; }
    const Bytes& Ats() const { return identity_.ats; }

protected:
    IsoDepCard(ImageStore& store, std::string imageName, const Bytes& factoryImage, IsoDepIdentity identity);

    // The answer to one frame of the protocol state.
    virtual Bytes Respond(std::span<const uint8_t> frame) = 0;
    // The card left the protocol state (deselect, halt, a request, the field off).
    virtual void ProtocolEnded() {}

private:
    Status OnAnswerToSelect(Bytes& ats) override;
    Status OnExchange(std::span<const uint8_t> frame, Bytes& answer) override;
    Status OnDeselect() override;
    void EndSession() override;

    IsoDepIdentity identity_;
    bool protocol_ = false;
};

}  // namespace kelvar
