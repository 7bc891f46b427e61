#include "kelvar/reader/iso14443a_field.h"

#include <utility>

#include "kelvar/cards/ntag203_tag.h"
#include "kelvar/cards/ultralight_c_auth.h"
#include "kelvar/cards/ultralight_tag.h"

namespace kelvar {

namespace {

std::unique_ptr<MifareClassicCard> MakeMifare(MifareSize size, ImageStore& store) {
    const bool big = size == MifareSize::k4K;
    const auto& uid = big ? kMifare4KUid : kMifare1KUid;
    return std::make_unique<MifareClassicCard>(size, Bytes(uid.begin(), uid.end()), store,
                                               big ? kMifare4KImageName : kMifare1KImageName);
}

}  // namespace

Iso14443aField::Iso14443aField(ImageStore& store, std::span<const CardKind> kinds, RandomBytes random)
    : random_(random ? std::move(random) : SystemRandomBytes()) {
    for (const CardKind kind : kinds) {
        Slot slot{kind, nullptr, nullptr};
        switch (kind) {
        case CardKind::kMifare1K:
            slot.mifare = MakeMifare(MifareSize::k1K, store);
            break;
        case CardKind::kMifare4K:
            slot.mifare = MakeMifare(MifareSize::k4K, store);
            break;
        case CardKind::kUltraLight:
            slot.tag = std::make_unique<UltralightTag>(store);
            break;
        case CardKind::kNtag203:
            slot.tag = std::make_unique<Ntag203Tag>(store);
            break;
        case CardKind::kUltraLightC: {
            auto tag = std::make_unique<UltralightCTag>(store);
            slot.tagC = tag.get();
            slot.tag = std::move(tag);
            break;
        }
        default:
            continue;  // not a card of this field
        }
        slots_.push_back(std::move(slot));
    }
}

Iso14443aField::~Iso14443aField() = default;

void Iso14443aField::SetPowered(bool on) {
    if (!on) Reset();
    powered_ = on;
}

void Iso14443aField::Reset() {
    for (Slot& slot : slots_) {
        if (slot.mifare) slot.mifare->FieldReset();
        if (slot.tag) slot.tag->FieldReset();
        slot.ready = false;
        slot.halted = false;
    }
    selected_.reset();
}

std::optional<CardKind> Iso14443aField::SelectedKind() const {
    if (!selected_) return std::nullopt;
    return slots_[*selected_].kind;
}

Status Iso14443aField::Request(uint8_t mode, uint8_t* atqa) {
    if (atqa == nullptr || (mode != kRequestIdle && mode != kRequestAll)) return kBadArgument;
    if (!powered_) return kNoCard;
    selected_.reset();
    bool answered = false;
    for (Slot& slot : slots_) {
        uint8_t answer[2] = {};
        const Status status = slot.mifare ? slot.mifare->Request(mode, answer) : slot.tag->Request(mode, answer);
        slot.ready = status == kOk;
        if (slot.ready && !answered) {
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
    for (Slot& slot : slots_) {
        if (slot.mifare && slot.ready && slot.mifare->Anticoll(uid, uidLength) == kOk) return kOk;
    }
    return kNoCard;
}

Status Iso14443aField::Select(const uint8_t* uid, uint8_t uidLength, uint8_t* sak) {
    if (uid == nullptr || sak == nullptr) return kBadArgument;
    if (uidLength != 4 && uidLength != 7 && uidLength != MifareClassicCard::kMaxUidSize) return kBadArgument;
    if (!powered_) return kNoCard;
    for (size_t i = 0; i < slots_.size(); ++i) {
        Slot& slot = slots_[i];
        if (slot.mifare && slot.ready && slot.mifare->Select(uid, uidLength, sak) == kOk) {
            SelectSlot(i);
            return kOk;
        }
    }
    return kNoCard;
}

Status Iso14443aField::UltralightSelect(uint8_t* uid, uint8_t* uidLength) {
    if (uid == nullptr || uidLength == nullptr) return kBadArgument;
    if (!powered_) return kNoCard;
    for (size_t i = 0; i < slots_.size(); ++i) {
        Slot& slot = slots_[i];
        if (slot.tag && slot.ready && slot.tag->Select(uid) == kOk) {
            *uidLength = static_cast<uint8_t>(UltralightFamilyTag::kUidSize);
            SelectSlot(i);
            return kOk;
        }
    }
    return kNoCard;
}

void Iso14443aField::SelectSlot(size_t index) {
    for (size_t i = 0; i < slots_.size(); ++i) {
        Slot& slot = slots_[i];
        if (i != index && slot.ready) SendBack(slot);
        slot.ready = false;
    }
    slots_[index].halted = false;
    selected_ = index;
}

// A card that lost the selection to another one goes back to where the
// request found it: halted cards to halt, the others to idle.
void Iso14443aField::SendBack(Slot& slot) {
    if (!slot.halted) {
        if (slot.mifare) slot.mifare->FieldReset();
        if (slot.tag) slot.tag->FieldReset();
        return;
    }
    if (slot.mifare) {
        uint8_t sak = 0;
        const Bytes& uid = slot.mifare->Uid();
        slot.mifare->Select(uid.data(), static_cast<int>(uid.size()), &sak);
        slot.mifare->Halt();
    } else {
        uint8_t uid[UltralightFamilyTag::kUidSize];
        slot.tag->Select(uid);
        slot.tag->Halt();
    }
}

Status Iso14443aField::Halt() {
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    const Status status = slot->mifare ? slot->mifare->Halt() : slot->tag->Halt();
    if (status == kOk) slot->halted = true;
    selected_.reset();
    return status;
}

Iso14443aField::Slot* Iso14443aField::Selected() { return selected_ ? &slots_[*selected_] : nullptr; }

Status Iso14443aField::Checked(Status status) {
    Slot* slot = Selected();
    if (slot == nullptr) return status;
    const bool left = slot->mifare ? status == kAuthFailed : !slot->tag->IsSelected();
    if (left) selected_.reset();
    return status;
}

Status Iso14443aField::Authenticate(uint8_t keyType, uint8_t block, const uint8_t* key) {
    if (key == nullptr || (keyType != MifareClassicCard::kAuthKeyA && keyType != MifareClassicCard::kAuthKeyB))
        return kBadArgument;
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    if (!slot->mifare) return kCardError;
    return Checked(slot->mifare->Authenticate(keyType, block, key));
}

Status Iso14443aField::Read(uint8_t block, uint8_t* out) {
    if (out == nullptr) return kBadArgument;
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    return slot->mifare ? slot->mifare->Read(block, out) : slot->tag->Read(block, out);
}

Status Iso14443aField::Write(uint8_t block, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    return slot->mifare ? slot->mifare->Write(block, data) : slot->tag->Write(block, data);
}

Status Iso14443aField::InitValue(uint8_t block, int32_t value) {
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    return slot->mifare ? slot->mifare->InitValue(block, value) : kCardError;
}

Status Iso14443aField::ReadValue(uint8_t block, int32_t* value) {
    if (value == nullptr) return kBadArgument;
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    return slot->mifare ? slot->mifare->ReadValue(block, value) : kCardError;
}

Status Iso14443aField::Increment(uint8_t block, int32_t value) {
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    return slot->mifare ? slot->mifare->Increment(block, value) : kCardError;
}

Status Iso14443aField::Decrement(uint8_t block, int32_t value) {
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    return slot->mifare ? slot->mifare->Decrement(block, value) : kCardError;
}

Status Iso14443aField::UltralightWrite(uint8_t page, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    return slot->tag ? slot->tag->Write(page, data) : kCardError;
}

Status Iso14443aField::UltralightCAuthenticate(const uint8_t* key) {
    if (key == nullptr) return kBadArgument;
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    if (slot->tagC == nullptr) return kCardError;
    return Checked(AuthenticateUltralightC(*slot->tagC, key, random_));
}

Status Iso14443aField::UltralightCChangeKey(const uint8_t* key) {
    if (key == nullptr) return kBadArgument;
    Slot* slot = Selected();
    if (slot == nullptr) return kNotSelected;
    if (slot->tagC == nullptr) return kCardError;
    return slot->tagC->ChangeKey(key);
}

}  // namespace kelvar
