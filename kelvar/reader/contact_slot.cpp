#include "kelvar/reader/contact_slot.h"

#include "kelvar/reader/contact_cards.h"

namespace kelvar {

ContactSlot::ContactSlot(ImageStore& store, std::string_view cardName) : card_(MakeContactCard(cardName, store)) {}

Status ContactSlot::PowerUp() {
    if (card_ == nullptr) return kNoCard;
    powered_ = true;
    card_->OnPowerUp();
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

}  // namespace kelvar
