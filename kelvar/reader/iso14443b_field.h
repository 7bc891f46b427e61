// The ISO 14443-B cards in the reader's field, in field order, each behind
// the TypeBCard interface. Cards answer only while the field is powered
// (antenna on, RF mode 'B'); losing power resets every card.
//
// Every frame reaches every card and each card's own states decide: a REQB
// or WUPB readies the cards that answer it, ATTRIB activates the one with
// the given PUPI, and frames go to the active card (kNotSelected when there
// is none).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "kelvar/cards/type_b_card.h"
#include "kelvar/reader/card_kind.h"
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

    void SetPowered(bool on);
    size_t CardCount() const { return cards_.size(); }

    // REQB (0x00) or WUPB (0x08), then ATTRIB of the first card that answered:
    // `atqb` receives its ATQB (12 bytes).
    Status RequestAndAttach(uint8_t mode, uint8_t* atqb, uint8_t* length);
    // A frame to the active card and its answer (at most 255 bytes).
    Status Exchange(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength);
    Status Deselect();
    // A raw frame with its CRC, heard by every card (see raw_exchange.h);
    // kNoCard while the field is off.
    Status Transceive(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength);

private:
    TypeBCard* Active();

    std::vector<std::unique_ptr<TypeBCard>> cards_;
    bool powered_ = false;
};

}  // namespace kelvar
