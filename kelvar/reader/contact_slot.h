// The contact slot. It holds the cards the configuration names, by default
// one of each family (an AT24C64, an AT88SC1608 and a processor card), as if
// the operator had put in the card the panel works on: a command reaches the
// first card whose family knows it. OpenCard powers the slot up; commands
// reach the cards only while it is powered (kNotSelected otherwise), and
// closing the connection powers it down.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "kelvar/cards/contact_card.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class ContactSlot {
public:
    // The highest address a memory card of the slot's families takes.
    static constexpr uint32_t kMaxAddress = 0xFFFF;

    // `cardNames`: a comma-separated list; unknown names are skipped, and an
    // empty list leaves the slot empty.
    ContactSlot(ImageStore& store, std::string_view cardNames);

    bool HasCard() const { return !cards_.empty(); }
    bool Powered() const { return powered_; }

    // kNoCard when the slot is empty.
    Status PowerUp();
    void PowerDown() { powered_ = false; }

    Status Read(uint32_t address, uint32_t length, uint8_t* out);
    Status Write(uint32_t address, uint32_t length, const uint8_t* data);

    // Runs `command(card)` on the powered slot's cards until one knows it
    // (answers other than kCardError).
    template <typename Command>
    Status Send(Command&& command) {
        if (cards_.empty()) return kNoCard;
        if (!powered_) return kNotSelected;
        Status status = kCardError;
        for (auto& card : cards_) {
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
    std::vector<std::unique_ptr<ContactCard>> cards_;
    bool powered_ = false;
};

}  // namespace kelvar
