#include "kelvar/reader/sam_slot.h"

#include <algorithm>

#include "kelvar/reader/frame_answer.h"

namespace kelvar {

Status SamSlot::PowerUp(uint8_t baud) {
    if (baud != SamCard::kBaud9600 && baud != SamCard::kBaud38400) return kBadArgument;
    powered_ = true;
    reset_ = false;
    baud_ = baud;
    return kOk;
}

void SamSlot::PowerDown() {
    powered_ = false;
    reset_ = false;
}

Status SamSlot::Reset(uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    if (!powered_) return kNotSelected;
    const auto atr = sam_.Reset(baud_);
    std::copy(atr.begin(), atr.end(), out);
    *length = static_cast<uint8_t>(atr.size());
    reset_ = true;
    return kOk;
}

Status SamSlot::Exchange(const uint8_t* apdu, uint8_t apduLength, uint8_t* out, uint8_t* outLength) {
    if (apdu == nullptr || out == nullptr || outLength == nullptr) return kBadArgument;
    if (!reset_) return kNotSelected;
    return CopyAnswer(sam_.Respond(std::span(apdu, apduLength)), out, outLength);
}

}  // namespace kelvar
