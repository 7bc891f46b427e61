#include "kelvar/reader/iso14443b_field.h"

#include <algorithm>

#include "kelvar/reader/frame_answer.h"
#include "kelvar/reader/raw_exchange.h"
#include "kelvar/reader/type_b_cards.h"

namespace kelvar {

Iso14443bField::Iso14443bField(ImageStore& store, std::span<const CardKind> kinds)
    : cards_(store, kinds, MakeTypeBCard) {}

void Iso14443bField::SetPowered(bool on, uint8_t mode) {
    if (!on || mode != mode_) {
        for (auto& card : cards_.Placed()) card->FieldReset();
    }
    powered_ = on;
    mode_ = mode;
}

void Iso14443bField::PlaceOnly(std::span<const CardKind> kinds) {
    cards_.PlaceOnly(kinds, [](TypeBCard& card) { card.FieldReset(); });
}

TypeBCard* Iso14443bField::Active() {
    for (auto& card : cards_.Placed()) {
        if (Powered(*card) && card->IsActive()) return card.card.get();
    }
    return nullptr;
}

Status Iso14443bField::RequestAndAttach(uint8_t mode, uint8_t* atqb, uint8_t* length) {
    if (atqb == nullptr || length == nullptr || (mode != kRequestIdle && mode != kRequestAll)) return kBadArgument;
    if (!powered_) return kNoCard;
    TypeBCard* first = nullptr;
    uint8_t answer[TypeBCard::kAtqbSize] = {};
    for (auto& card : cards_.Placed()) {
        if (!Powered(*card) || card->RfMode() == TypeBCard::kModeSt) continue;
        uint8_t own[TypeBCard::kAtqbSize] = {};
        if (card->Request(mode, own) == kOk && first == nullptr) {
            first = card.card.get();
            std::copy(own, own + TypeBCard::kAtqbSize, answer);
        }
    }
    if (first == nullptr) return kNoCard;
    const TypeBCard::Pupi pupi = first->PupiBytes();
    for (auto& card : cards_.Placed()) {
        if (Powered(*card)) card->Attrib(pupi);
    }
    std::copy(answer, answer + TypeBCard::kAtqbSize, atqb);
    *length = static_cast<uint8_t>(TypeBCard::kAtqbSize);
    return kOk;
}

Status Iso14443bField::Exchange(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength) {
    if ((frame == nullptr && frameLength != 0) || out == nullptr || outLength == nullptr) return kBadArgument;
    TypeBCard* card = Active();
    if (card == nullptr) return kNotSelected;
    Bytes answer;
    const Status status = card->Exchange(std::span(frame, frameLength), answer);
    return status == kOk ? CopyAnswer(answer, out, outLength) : status;
}

Status Iso14443bField::Deselect() {
    TypeBCard* card = Active();
    return card == nullptr ? kNotSelected : card->Deselect();
}

Status Iso14443bField::StSelect(uint8_t* chipId) {
    if (chipId == nullptr) return kBadArgument;
    bool answered = false;
    uint8_t first = 0;
    for (auto& card : cards_.Placed()) {
        uint8_t own = 0;
        if (!Powered(*card) || card->OnStInitiate(own) != kOk) continue;
        if (!answered) first = own;
        answered = true;
    }
    if (!answered) return kNoCard;
    for (auto& card : cards_.Placed()) {
        if (Powered(*card)) card->OnStSelect(first);
    }
    *chipId = first;
    return kOk;
}

Status Iso14443bField::Transceive(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength) {
    if (!powered_) return out == nullptr || outLength == nullptr ? kBadArgument : kNoCard;
    return RawExchange(frame, frameLength, out, outLength, cards_.Placed(),
                       [this](auto& card, std::span<const uint8_t> request, Bytes& air) {
                           Bytes answer;
                           if (!Powered(*card) || !card->RawFrame(request, answer)) return false;
                           air = WithFrameCrc(answer);
                           return true;
                       });
}

}  // namespace kelvar
