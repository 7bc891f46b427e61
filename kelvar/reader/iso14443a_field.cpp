#include "kelvar/reader/iso14443a_field.h"

#include <algorithm>
#include <utility>

#include "kelvar/reader/frame_answer.h"

namespace kelvar {

Iso14443aField::Iso14443aField(ImageStore& store, std::span<const CardKind> kinds, RandomBytes random)
    : cards_(store, kinds, MakeTypeACard), random_(random ? std::move(random) : SystemRandomBytes()) {}

Iso14443aField::~Iso14443aField() = default;

void Iso14443aField::SetPowered(bool on) {
    if (!on) {
        for (Slot& slot : cards_.Placed()) slot.card->FieldReset();
    }
    powered_ = on;
}

void Iso14443aField::PlaceOnly(std::span<const CardKind> kinds) {
    cards_.PlaceOnly(kinds, [](TypeACard& card) { card.FieldReset(); });
}

const Iso14443aField::Slot* Iso14443aField::Active() const {
    for (const Slot& slot : cards_.Placed()) {
        if (slot.card->IsActive()) return &slot;
    }
    return nullptr;
}

std::optional<CardKind> Iso14443aField::SelectedKind() const {
    const Slot* slot = Active();
    if (slot == nullptr) return std::nullopt;
    return slot->kind;
}

Status Iso14443aField::Request(uint8_t mode, uint8_t* atqa) {
    if (atqa == nullptr || (mode != kRequestIdle && mode != kRequestAll)) return kBadArgument;
    if (!powered_) return kNoCard;
    bool answered = false;
    for (Slot& slot : cards_.Placed()) {
        uint8_t answer[2] = {};
        if (slot.card->Request(mode, answer) == kOk && !answered) {
            atqa[0] = answer[0];
            atqa[1] = answer[1];
            answered = true;
        }
    }
    return answered ? kOk : kNoCard;
}

Status Iso14443aField::Anticoll(uint8_t* uid, uint8_t* uidLength) {
    if (uid == nullptr || uidLength == nullptr) return kBadArgument;
    if (!powered_) return kNoCard;
    for (Slot& slot : cards_.Placed()) {
        if (slot.card->Anticoll(uid, uidLength) == kOk) return kOk;
    }
    return kNoCard;
}

Status Iso14443aField::Select(const uint8_t* uid, uint8_t uidLength, uint8_t* sak) {
    if (uid == nullptr || sak == nullptr) return kBadArgument;
    if (uidLength != 4 && uidLength != 7 && uidLength != TypeACard::kMaxUidSize) return kBadArgument;
    if (!powered_) return kNoCard;
    return SelectAll(uid, uidLength, sak);
}

Status Iso14443aField::SelectAll(const uint8_t* uid, uint8_t uidLength, uint8_t* sak) {
    bool selected = false;
    for (Slot& slot : cards_.Placed()) {
        if (slot.card->IsReady() && slot.card->Select(uid, uidLength, sak) == kOk) selected = true;
    }
    return selected ? kOk : kNoCard;
}

Status Iso14443aField::UltralightSelect(uint8_t* uid, uint8_t* uidLength) {
    if (uid == nullptr || uidLength == nullptr) return kBadArgument;
    if (!powered_) return kNoCard;
    for (Slot& slot : cards_.Placed()) {
        uint8_t found[TypeACard::kMaxUidSize] = {};
        uint8_t length = 0;
        if (slot.card->Anticoll(found, &length) != kOk || length != 7) continue;
        uint8_t sak = 0;
        if (const Status status = SelectAll(found, length, &sak); status != kOk) return status;
        std::copy(found, found + length, uid);
        *uidLength = length;
        return kOk;
    }
    return kNoCard;
}

Status Iso14443aField::Halt() {
    for (Slot& slot : cards_.Placed()) {
        if (slot.card->IsActive()) return slot.card->Halt();
    }
    return kNotSelected;
}

template <typename Command>
Status Iso14443aField::OnActive(Command command) {
    for (Slot& slot : cards_.Placed()) {
        if (slot.card->IsActive()) return command(*slot.card);
    }
    return kNotSelected;
}

template <typename Command>
Status Iso14443aField::OnAwake(Command command) {
    Status status = kNotSelected;
    for (Slot& slot : cards_.Placed()) {
        if (!slot.card->IsActive() && !slot.card->IsReady()) continue;
        status = command(*slot.card);
        if (status != kCardError) return status;
    }
    return status;
}

Status Iso14443aField::Shc1102Authenticate(const uint8_t* password) {
    if (password == nullptr) return kBadArgument;
    return OnAwake([&](TypeACard& card) { return card.Shc1102Authenticate(password); });
}

Status Iso14443aField::Shc1102Read(uint8_t block, uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    return OnAwake([&](TypeACard& card) {
        const Status status = card.Shc1102Read(block, out);
        if (status == kOk) *length = 4;
        return status;
    });
}

Status Iso14443aField::Shc1102Write(uint8_t block, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    return OnAwake([&](TypeACard& card) { return card.Shc1102Write(block, data); });
}

Status Iso14443aField::Authenticate(uint8_t keyType, uint8_t block, const uint8_t* key) {
    if (key == nullptr || (keyType != kAuthKeyA && keyType != kAuthKeyB)) return kBadArgument;
    return OnActive([&](TypeACard& card) { return card.Authenticate(keyType, block, key); });
}

Status Iso14443aField::Read(uint8_t block, uint8_t* out) {
    if (out == nullptr) return kBadArgument;
    return OnActive([&](TypeACard& card) { return card.Read(block, out); });
}

Status Iso14443aField::Write(uint8_t block, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    return OnActive([&](TypeACard& card) { return card.WriteBlock(block, data); });
}

Status Iso14443aField::InitValue(uint8_t block, int32_t value) {
    return OnActive([&](TypeACard& card) { return card.InitValue(block, value); });
}

Status Iso14443aField::ReadValue(uint8_t block, int32_t* value) {
    if (value == nullptr) return kBadArgument;
    return OnActive([&](TypeACard& card) { return card.ReadValue(block, value); });
}

Status Iso14443aField::Increment(uint8_t block, int32_t value) {
    return OnActive([&](TypeACard& card) { return card.Increment(block, value); });
}

Status Iso14443aField::Decrement(uint8_t block, int32_t value) {
    return OnActive([&](TypeACard& card) { return card.Decrement(block, value); });
}

Status Iso14443aField::UltralightWrite(uint8_t page, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    return OnActive([&](TypeACard& card) { return card.WritePage(page, data); });
}

Status Iso14443aField::UltralightCAuthenticate(const uint8_t* key) {
    if (key == nullptr) return kBadArgument;
    return OnActive([&](TypeACard& card) { return card.AuthenticateTripleDes(key, random_); });
}

Status Iso14443aField::UltralightCChangeKey(const uint8_t* key) {
    if (key == nullptr) return kBadArgument;
    return OnActive([&](TypeACard& card) { return card.ChangeTripleDesKey(key); });
}

Status Iso14443aField::ActivateIsoDep(uint8_t mode, size_t uidSize, uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    uint8_t atqa[2] = {};
    if (const Status status = Request(mode, atqa); status != kOk) return status;
    for (Slot& slot : cards_.Placed()) {
        TypeACard& card = *slot.card;
        if (!card.IsReady() || (card.Sak() & TypeACard::kIsoDepSak) == 0 || card.Uid().size() != uidSize) continue;
        const Bytes uid = card.Uid();
        uint8_t sak = 0;
        if (const Status status = SelectAll(uid.data(), static_cast<uint8_t>(uid.size()), &sak); status != kOk) {
            return status;
        }
        Bytes ats;
        if (const Status status = card.AnswerToSelect(ats); status != kOk) return status;
        Bytes answer = uid;
        answer.insert(answer.end(), ats.begin(), ats.end());
        return CopyAnswer(answer, out, length);
    }
    return kNoCard;
}

Status Iso14443aField::Exchange(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength) {
    if ((frame == nullptr && frameLength != 0) || out == nullptr || outLength == nullptr) return kBadArgument;
    return OnActive([&](TypeACard& card) {
        Bytes answer;
        const Status status = card.Exchange(std::span(frame, frameLength), answer);
        return status == kOk ? CopyAnswer(answer, out, outLength) : status;
    });
}

Status Iso14443aField::Deselect() {
    return OnActive([](TypeACard& card) { return card.Deselect(); });
}

}  // namespace kelvar
