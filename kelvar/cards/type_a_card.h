// An ISO 14443-A card in the reader's field, seen the same way whatever its
// family: its identity (UID, ATQA, SAK) and activation, the commands of every
// family, and its memory as a stored image.
//
// Commands reach the card only while it is active (kNotSelected otherwise).
// A family overrides the commands its chip knows; every other one answers
// kCardError, as a chip answers a command it does not know. A refused
// command (wrong key, access denied, locked or protected page, an address
// past the memory, an unknown command) sends the card back to idle, or to
// halt when 0x52 woke it from there, and it must be activated again. A save
// that failed is not a refusal: the card stays active.
//
// The image is loaded from the store when one of the factory image's size is
// there; every change is saved before the command returns, and a failed save
// (kStoreFailed) leaves the memory as it was.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "kelvar/cards/iso14443a_activation.h"
#include "kelvar/crypto/random_bytes.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class TypeACard {
public:
    static constexpr int kRequestIdle = Iso14443aActivation::kRequestIdle;
    static constexpr int kRequestAll = Iso14443aActivation::kRequestAll;
    static constexpr int kMaxUidSize = 10;
    static constexpr size_t kBlockSize = 16;  // a read's answer, a block write's data
    static constexpr uint8_t kIsoDepSak = 0x20;  // the card speaks ISO 14443-4

    TypeACard(const TypeACard&) = delete;
    TypeACard& operator=(const TypeACard&) = delete;
    virtual ~TypeACard() = default;

    virtual Bytes Uid() const = 0;
    virtual std::array<uint8_t, 2> Atqa() const = 0;
    virtual uint8_t Sak() const = 0;

    // The field went off: halt and session end.
    void FieldReset();
    // `atqa` receives 2 bytes. A request reaching an active card sends it
    // back and is not answered.
    Status Request(int mode, uint8_t* atqa);
    // A ready card: its whole UID (room for kMaxUidSize bytes), all cascade
    // levels resolved.
    Status Anticoll(uint8_t* uid, uint8_t* uidLength);
    // A ready card with this UID becomes active and answers its SAK; a ready
    // card with another UID drops out (back to idle or halt).
    Status Select(const uint8_t* uid, int uidLength, uint8_t* sak);
    Status Halt();
    bool IsReady() const { return activation_.IsReady(); }
    bool IsActive() const { return activation_.IsActive(); }

    // Mifare Classic: authentication of the sector of `block` with key A
    // (0x60) or B (0x61) and its 6-byte key; value blocks.
    Status Authenticate(int keyType, int block, const uint8_t* key);
    Status InitValue(int block, int32_t value);
    Status Increment(int block, int32_t operand);
    Status Decrement(int block, int32_t operand);
    Status ReadValue(int block, int32_t* value);
    // 16 bytes from `block` (or from a page: four pages).
    Status Read(int block, uint8_t* data);
    // 16 bytes to `block` (a page-addressed tag writes the first 4 to the page).
    Status WriteBlock(int block, const uint8_t* data);
    // Page-addressed tags: 4 bytes to `page`.
    Status WritePage(int page, const uint8_t* data);
    // Tags with a triple-DES key: authentication with the 16-byte key, the
    // reader's random numbers drawn from `readerRandom`; writing a new key.
    Status AuthenticateTripleDes(const uint8_t* key, const RandomBytes& readerRandom);
    Status ChangeTripleDesKey(const uint8_t* key);

    // ISO 14443-4 cards (SAK bit kIsoDepSak): the answer to select (RATS) of
    // the active card, then frames (APDUs or native commands) answered in
    // `answer`, and a deselect that halts the card.
    Status AnswerToSelect(Bytes& ats);
    Status Exchange(std::span<const uint8_t> frame, Bytes& answer);
    Status Deselect();

    // SHC1102 tags: 4-byte blocks and a 4-byte password. These commands
    // reach a ready card too, as the tag is used straight after the request.
    Status Shc1102Authenticate(const uint8_t* password);
    // `data` receives 4 bytes.
    Status Shc1102Read(int block, uint8_t* data);
    Status Shc1102Write(int block, const uint8_t* data);

    const Bytes& Image() const { return image_; }
    const std::string& ImageName() const { return imageName_; }

protected:
    TypeACard(ImageStore& store, std::string imageName, const Bytes& factoryImage);

    virtual Status OnAuthenticate(int keyType, int block, const uint8_t* key);
    virtual Status OnInitValue(int block, int32_t value);
    virtual Status OnIncrement(int block, int32_t operand);
    virtual Status OnDecrement(int block, int32_t operand);
    virtual Status OnReadValue(int block, int32_t* value);
    virtual Status OnRead(int block, uint8_t* data);
    virtual Status OnWriteBlock(int block, const uint8_t* data);
    virtual Status OnWritePage(int page, const uint8_t* data);
    virtual Status OnAuthenticateTripleDes(const uint8_t* key, const RandomBytes& readerRandom);
    virtual Status OnChangeTripleDesKey(const uint8_t* key);
    virtual Status OnAnswerToSelect(Bytes& ats);
    virtual Status OnExchange(std::span<const uint8_t> frame, Bytes& answer);
    virtual Status OnDeselect();
    virtual Status OnShc1102Authenticate(const uint8_t* password);
    virtual Status OnShc1102Read(int block, uint8_t* data);
    virtual Status OnShc1102Write(int block, const uint8_t* data);

    // Called whenever the card leaves the active state.
    virtual void EndSession() {}
    // Called when the field goes off, after the session ended.
    virtual void PowerLost() {}

    // Sends a ready or active card back, as after a refused command.
    void Drop();

    // Saves `image` and makes it the card's memory; on a failed save nothing changes.
    Status Commit(Bytes image);
    // The memory as loaded, for a constructor that completes it without saving.
    Bytes& LoadedImage() { return image_; }

private:
    // Runs a command on an active card and drops the card when it refuses.
    template <typename Command>
    Status Run(Command command);
    // As Run, for a ready card as well.
    template <typename Command>
    Status RunAwake(Command command);
    void LeaveActive();

    ImageStore& store_;
    std::string imageName_;
    Bytes image_;
    Iso14443aActivation activation_;
};

}  // namespace kelvar
