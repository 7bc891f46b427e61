#include "kelvar/reader/contact_slot.h"

#include "kelvar/reader/contact_cards.h"
#include "kelvar/reader/frame_answer.h"

namespace kelvar {

ContactSlot::ContactSlot(ImageStore& store, std::string_view cardName) : card_(MakeContactCard(cardName, store)) {}

Status ContactSlot::PowerUp() {
    if (card_ == nullptr) return kNoCard;
    powered_ = true;
    return kOk;
}

Status ContactSlot::Read(uint32_t address, uint32_t length, uint8_t* out) {
    if (out == nullptr || address > kMaxAddress) return kBadArgument;
    if (!powered_) return kNotSelected;
    return card_->Read(address, length, out);
}

Status ContactSlot::Write(uint32_t address, uint32_t length, const uint8_t* data) {
    if (data == nullptr || address > kMaxAddress) return kBadArgument;
    if (!powered_) return kNotSelected;
    return card_->Write(address, length, data);
}

Status ContactSlot::ResetCard(uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    if (!powered_) return kNotSelected;
    Bytes atr;
    const Status status = card_->Reset(atr);
    return status == kOk ? CopyAnswer(atr, out, length) : status;
}

Status ContactSlot::Exchange(const uint8_t* apdu, uint8_t apduLength, uint8_t* out, uint8_t* outLength) {
    if (apdu == nullptr || out == nullptr || outLength == nullptr) return kBadArgument;
    if (!powered_) return kNotSelected;
    Bytes answer;
    const Status status = card_->Exchange(std::span(apdu, apduLength), answer);
    return status == kOk ? CopyAnswer(answer, out, outLength) : status;
}

}  // namespace kelvar
