#include "kelvar/reader/contact_slot.h"

#include "kelvar/reader/contact_cards.h"
#include "kelvar/reader/frame_answer.h"

namespace kelvar {

ContactSlot::ContactSlot(ImageStore& store, std::span<const CardKind> kinds)
    : cards_(store, kinds, MakeContactCard) {}

Status ContactSlot::PowerUp() {
    if (!HasCard()) return kNoCard;
    powered_ = true;
    for (auto& card : cards_.Placed()) card->OnPowerUp();
    return kOk;
}

void ContactSlot::PlaceOnly(std::span<const CardKind> kinds) {
    if (cards_.PlaceOnly(kinds, [](ContactCard&) {})) powered_ = false;
}

Status ContactSlot::FactoryReset(CardKind kind) {
    const Status status = cards_.FactoryReset(kind);
    if (status == kOk && cards_.Find(kind)->placed) powered_ = false;
    return status;
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
