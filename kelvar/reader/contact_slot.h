// The contact slot. It holds the cards the configuration names, by default
// every contact card, of which those placed in it answer: a command reaches
// the first placed card whose family knows it, as if the operator had put in
// the card the panel works on. OpenCard powers the slot up; commands reach
// the cards only while it is powered (kNotSelected otherwise), and closing
// the connection powers it down, as does a change of the cards placed.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "kelvar/cards/contact_card.h"
#include "kelvar/reader/field_cards.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class ContactSlot {
public:
    // The highest address a memory card of the slot's families takes.
    static constexpr uint32_t kMaxAddress = 0xFFFF;

    // Holds the contact cards of `kinds`, in that order, each placed.
    ContactSlot(ImageStore& store, std::span<const CardKind> kinds);

    bool HasCard() const { return cards_.PlacedCount() != 0; }
    bool Powered() const { return powered_; }

    // kNoCard when the slot is empty.
    Status PowerUp();
    void PowerDown() { powered_ = false; }

    FieldCards<ContactCard>& Cards() { return cards_; }
    const FieldCards<ContactCard>& Cards() const { return cards_; }
    // Places exactly the held cards of `kinds`; a change powers the slot down.
    void PlaceOnly(std::span<const CardKind> kinds);
    Status FactoryReset(CardKind kind);

    Status Read(uint32_t address, uint32_t length, uint8_t* out);
    Status Write(uint32_t address, uint32_t length, const uint8_t* data);

    // Runs `command(card)` on the powered slot's cards until one knows it
    // (answers other than kCardError).
    template <typename Command>
    Status Send(Command&& command) {
        if (!HasCard()) return kNoCard;
        if (!powered_) return kNotSelected;
        Status status = kCardError;
        for (auto& card : cards_.Placed()) {
            status = command(*card);
            if (status != kCardError) break;
        }
        return status;
    }
    // Processor cards: the answer to reset and the answer to an APDU (at
    // most 255 bytes each, with their one-byte lengths).
    Status ResetCard(uint8_t* out, uint8_t* length);
    Status Exchange(const uint8_t* apdu, uint8_t apduLength, uint8_t* out, uint8_t* outLength);

private:
    FieldCards<ContactCard> cards_;
    bool powered_ = false;
};

}  // namespace kelvar
