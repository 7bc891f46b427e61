// The ISO 14443-B cards in the reader's field, in field order, each behind
// the TypeBCard interface. Of the cards it holds, those placed in it answer,
// and only while the field is powered (antenna on) in their own RF mode
// ('B', or the tag modes 's' and 'r'); losing power, or a change of mode,
// resets every card.
//
// Every frame reaches every card of the mode and each card's own states
// decide: a REQB or WUPB readies the cards that answer it, ATTRIB activates
// the one with the given PUPI, and frames go to the active card
// (kNotSelected when there is none). An ST initiate gives every ST tag a
// chip identifier, and the select that follows opens only the tag holding
// the first one. A tag command reaches the cards that answered a request
// (the ST tags: every ST tag) in field order; the first card of the
// command's family answers it, each by its own rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "kelvar/cards/type_b_card.h"
#include "kelvar/reader/card_kind.h"
#include "kelvar/reader/field_cards.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class Iso14443bField {
public:
    static constexpr uint8_t kRequestIdle = TypeBCard::kRequestIdle;
    static constexpr uint8_t kRequestAll = TypeBCard::kRequestAll;

    // Creates the cards of `kinds` that are type B cards, in that order.
    Iso14443bField(ImageStore& store, std::span<const CardKind> kinds);
    Iso14443bField(const Iso14443bField&) = delete;
    Iso14443bField& operator=(const Iso14443bField&) = delete;

    // `mode` is the reader's RF mode; cards of other modes stay unpowered.
    void SetPowered(bool on, uint8_t mode = TypeBCard::kModeB);
    size_t CardCount() const { return cards_.PlacedCount(); }
    FieldCards<TypeBCard>& Cards() { return cards_; }
    const FieldCards<TypeBCard>& Cards() const { return cards_; }
    void PlaceOnly(std::span<const CardKind> kinds);

    // REQB (0x00) or WUPB (0x08), then ATTRIB of the first card that answered:
    // `atqb` receives its ATQB (12 bytes).
    Status RequestAndAttach(uint8_t mode, uint8_t* atqb, uint8_t* length);
    // A frame to the active card and its answer (at most 255 bytes).
    Status Exchange(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength);
    Status Deselect();
    // A raw frame, to which the reader adds the CRC, heard by every card of
    // mode 'B' (see raw_exchange.h); kNoCard while the field is off.
    Status Transceive(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength);

    // Initiate, then select of the ST tag that gave the first chip
    // identifier, which `chipId` receives.
    Status StSelect(uint8_t* chipId);
    // `command` runs on each addressed card until one answers other than
    // kCardError; kNotSelected when no card is addressed, kNoCard when none
    // of them has the command.
    template <typename Command>
    Status ToTags(Command&& command);

private:
    TypeBCard* Active();
    bool Powered(const TypeBCard& card) const { return powered_ && card.RfMode() == mode_; }

    FieldCards<TypeBCard> cards_;
    bool powered_ = false;
    uint8_t mode_ = TypeBCard::kModeB;
};

template <typename Command>
Status Iso14443bField::ToTags(Command&& command) {
    Status status = kNotSelected;
    for (auto& card : cards_.Placed()) {
        if (!Powered(*card)) continue;
        if (card->RfMode() != TypeBCard::kModeSt && !card->IsReady() && !card->IsActive()) continue;
        status = command(*card);
        if (status != kCardError) return status;
    }
    return status == kCardError ? kNoCard : status;
}

}  // namespace kelvar
