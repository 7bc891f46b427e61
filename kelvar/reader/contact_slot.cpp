#include "kelvar/reader/contact_slot.h"

#include "kelvar/reader/contact_cards.h"
#include "kelvar/reader/frame_answer.h"

namespace kelvar {

ContactSlot::ContactSlot(ImageStore& store, std::string_view cardNames) {
    while (!cardNames.empty()) {
        const size_t comma = cardNames.find(',');
        std::string_view name = cardNames.substr(0, comma);
        cardNames = comma == std::string_view::npos ? std::string_view{} : cardNames.substr(comma + 1);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        if (auto card = MakeContactCard(name, store)) cards_.push_back(std::move(card));
    }
}

Status ContactSlot::PowerUp() {
    if (cards_.empty()) return kNoCard;
    powered_ = true;
    for (auto& card : cards_) card->OnPowerUp();
    return kOk;
}

Status ContactSlot::Read(uint32_t address, uint32_t length, uint8_t* out) {
    if (out == nullptr || address > kMaxAddress) return kBadArgument;
    return Send([&](ContactCard& card) { return card.Read(address, length, out); });
}

Status ContactSlot::Write(uint32_t address, uint32_t length, const uint8_t* data) {
    if (data == nullptr || address > kMaxAddress) return kBadArgument;
    return Send([&](ContactCard& card) { return card.Write(address, length, data); });
}

Status ContactSlot::ResetCard(uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    Bytes atr;
    const Status status = Send([&](ContactCard& card) { return card.Reset(atr); });
    return status == kOk ? CopyAnswer(atr, out, length) : status;
}

Status ContactSlot::Exchange(const uint8_t* apdu, uint8_t apduLength, uint8_t* out, uint8_t* outLength) {
    if (apdu == nullptr || out == nullptr || outLength == nullptr) return kBadArgument;
    Bytes answer;
    const Status status = Send([&](ContactCard& card) { return card.Exchange(std::span(apdu, apduLength), answer); });
    return status == kOk ? CopyAnswer(answer, out, outLength) : status;
}

}  // namespace kelvar
