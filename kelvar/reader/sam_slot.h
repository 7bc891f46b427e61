// The reader's SAM slot. rf_init_sam powers the SAM at a speed (0 = 9600,
// 1 = 38400 baud); a reset gives its answer to reset at that speed, and
// APDUs reach it only after a reset since power-up (kNotSelected before).
// Closing the connection powers it down.
#pragma once

#include <cstdint>
#include <utility>

#include "kelvar/cards/sam_card.h"
#include "kelvar/status.h"

namespace kelvar {

class SamSlot {
public:
    explicit SamSlot(RandomBytes random) : sam_(std::move(random)) {}

    // kBadArgument for any other speed code than 0 and 1.
    Status PowerUp(uint8_t baud);
    void PowerDown();
    Status Reset(uint8_t* out, uint8_t* length);
    Status Exchange(const uint8_t* apdu, uint8_t apduLength, uint8_t* out, uint8_t* outLength);

private:
    SamCard sam_;
    bool powered_ = false;
    bool reset_ = false;
    uint8_t baud_ = SamCard::kBaud9600;
};

}  // namespace kelvar
