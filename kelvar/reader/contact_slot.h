// The contact slot: at most one card, the one the configuration names.
// OpenCard powers it up; commands reach it only while it is powered
// (kNotSelected otherwise), and closing the connection powers it down.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "kelvar/cards/contact_card.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class ContactSlot {
public:
    // The highest address a memory card of the slot's families takes.
    static constexpr uint32_t kMaxAddress = 0xFFFF;

    // An empty or unknown `cardName` leaves the slot empty.
    ContactSlot(ImageStore& store, std::string_view cardName);

    bool HasCard() const { return card_ != nullptr; }
    bool Powered() const { return powered_; }

    // kNoCard when the slot is empty.
    Status PowerUp();
    void PowerDown() { powered_ = false; }

    Status Read(uint32_t address, uint32_t length, uint8_t* out);
    Status Write(uint32_t address, uint32_t length, const uint8_t* data);

    // Processor cards: the answer to reset and the answer to an APDU (at
    // most 255 bytes each, with their one-byte lengths).
    Status ResetCard(uint8_t* out, uint8_t* length);
    Status Exchange(const uint8_t* apdu, uint8_t apduLength, uint8_t* out, uint8_t* outLength);

private:
    std::unique_ptr<ContactCard> card_;
    bool powered_ = false;
};

}  // namespace kelvar
