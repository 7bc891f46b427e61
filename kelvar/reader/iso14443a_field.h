// The ISO 14443-A cards in the reader's field, in field order, each behind
// the TypeACard interface: the field knows no card family. Of the cards it
// holds, those placed in it answer, and only while the field is powered
// (antenna on, RF mode 'A'); losing power resets every card.
//
// Activation works as in a field of several real cards; every frame reaches
// every card and each card's own state machine decides:
//   - a request: 0x52 wakes all cards, halted ones too, 0x26 only those that
//     are not halted; the card that was active goes back and stays silent.
//     The answer is the ATQA of the first card that answered;
//   - anticollision answers the whole UID (4 or 7 bytes) of the first ready
//     card; the UltraLight select resolves the first ready card with a 7-byte
//     UID at once;
//   - select activates the ready card with the given UID; the other ready
//     cards drop out, back to idle, or to halt when 0x52 woke them from it.
// So after Halt, a 0x26 request and a select reach the next card.
//
// Commands go to the active card (kNotSelected when there is none), which
// answers kCardError to the commands of other families and goes back after
// any refusal.
//
// The other contactless fields and the slots take the same shape: the type B
// field and the ISO 15693 field hold their cards behind an interface of their
// own (activation and identity by that standard's rules, the commands of
// every family of that field answering "card error" by default, the stored
// image), made from the configured kinds by a table like type_a_cards.cpp;
// the contact slot and the SAM slot hold at most one card each behind a card
// interface of the same kind (power-up and answer to reset, APDU or memory
// commands, the stored image). The reader powers each field or slot, and the
// exported functions only pass arguments through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "kelvar/cards/type_a_card.h"
#include "kelvar/crypto/random_bytes.h"
#include "kelvar/reader/card_kind.h"
#include "kelvar/reader/field_cards.h"
#include "kelvar/reader/type_a_cards.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class Iso14443aField {
public:
    static constexpr uint8_t kRequestIdle = TypeACard::kRequestIdle;
    static constexpr uint8_t kRequestAll = TypeACard::kRequestAll;
    static constexpr size_t kReadSize = TypeACard::kBlockSize;

    // Creates the cards of `kinds` that are ISO 14443-A cards, in that order,
    // each with its own image in `store`. `random` draws the reader's side
    // of the 3DES authentication. The field starts unpowered.
    Iso14443aField(ImageStore& store, std::span<const CardKind> kinds,
                   RandomBytes random = SystemRandomBytes());
    ~Iso14443aField();
    Iso14443aField(const Iso14443aField&) = delete;
    Iso14443aField& operator=(const Iso14443aField&) = delete;

    // Switching the power off resets every card.
    void SetPowered(bool on);
    bool Powered() const { return powered_; }

    // The cards held, and placing them (field_cards.h).
    size_t CardCount() const { return cards_.PlacedCount(); }
    FieldCards<TypeACard>& Cards() { return cards_; }
    const FieldCards<TypeACard>& Cards() const { return cards_; }
    void PlaceOnly(std::span<const CardKind> kinds);
    std::optional<CardKind> SelectedKind() const;

    // `atqa` receives 2 bytes.
    Status Request(uint8_t mode, uint8_t* atqa);
    // `uid` needs room for 10 bytes.
    Status Anticoll(uint8_t* uid, uint8_t* uidLength);
    Status Select(const uint8_t* uid, uint8_t uidLength, uint8_t* sak);
    // `uid` receives the 7-byte UID.
    Status UltralightSelect(uint8_t* uid, uint8_t* uidLength);
    Status Halt();

    Status Authenticate(uint8_t keyType, uint8_t block, const uint8_t* key);
    Status Read(uint8_t block, uint8_t* out);
    Status Write(uint8_t block, const uint8_t* data);
    Status InitValue(uint8_t block, int32_t value);
    Status ReadValue(uint8_t block, int32_t* value);
    Status Increment(uint8_t block, int32_t value);
    Status Decrement(uint8_t block, int32_t value);

    Status UltralightWrite(uint8_t page, const uint8_t* data);
    Status UltralightCAuthenticate(const uint8_t* key);
    Status UltralightCChangeKey(const uint8_t* key);

    // SHC1102 tags: the command reaches every ready or active card; the
    // first card that knows it answers (kCardError when none does).
    Status Shc1102Authenticate(const uint8_t* password);
    Status Shc1102Read(uint8_t block, uint8_t* out, uint8_t* length);
    Status Shc1102Write(uint8_t block, const uint8_t* data);

    // ISO 14443-4: a request (0x52 or 0x26), then select and RATS of the first
    // ISO 14443-4 card with a UID of `uidSize` bytes that answered. `out`
    // receives the UID followed by the ATS.
    Status ActivateIsoDep(uint8_t mode, size_t uidSize, uint8_t* out, uint8_t* length);
    // A frame to the active card and its answer (at most 255 bytes).
    Status Exchange(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength);
    // S(DESELECT): the active card goes to halt.
    Status Deselect();

private:
    static constexpr uint8_t kAuthKeyA = 0x60;
    static constexpr uint8_t kAuthKeyB = 0x61;

    using Slot = FieldCards<TypeACard>::Held;

    // Sends a select for `uid` to every ready card.
    Status SelectAll(const uint8_t* uid, uint8_t uidLength, uint8_t* sak);
    const Slot* Active() const;
    // Runs `command` on the active card.
    template <typename Command>
    Status OnActive(Command command);
    // Runs `command` on the awake cards until one knows it.
    template <typename Command>
    Status OnAwake(Command command);

    FieldCards<TypeACard> cards_;
    RandomBytes random_;
    bool powered_ = false;
};

}  // namespace kelvar
