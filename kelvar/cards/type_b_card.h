// An ISO 14443-B card in the reader's field, seen the same way whatever its
// family: its identity (the ATQB, PUPI in bytes 1..4), its activation and
// the commands of every family, which answer kCardError unless the family
// overrides them, and its memory as a stored image.
//
// The states are those of type A: REQB (kRequestIdle) readies cards that are
// not halted, WUPB (kRequestAll) halted ones too; ATTRIB with the card's PUPI
// makes it active, where it takes ISO 14443-4 frames until a DESELECT halts
// it. A refused command sends it back to idle (or halt, when woken from it).
// Every change is stored before the command returns; a failed save leaves
// the memory as it was.
//
// Each card answers in one RF mode of the reader ('B', or the tag modes 's'
// and 'r'). The memory tags' commands are hooks that answer kCardError
// unless the family overrides them; a card stays in its state when it meets
// a command of another family, so the field can pass it on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "kelvar/cards/iso14443a_activation.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class TypeBCard {
public:
    static constexpr int kRequestIdle = 0x00;  // REQB
    static constexpr int kRequestAll = 0x08;   // WUPB
    static constexpr size_t kAtqbSize = 12;
    using Pupi = std::array<uint8_t, 4>;

    TypeBCard(const TypeBCard&) = delete;
    TypeBCard& operator=(const TypeBCard&) = delete;
    virtual ~TypeBCard() = default;

    static constexpr uint8_t kModeB = 0x42;   // 'B'
    static constexpr uint8_t kModeSt = 0x73;  // 's', ST tags
    static constexpr uint8_t kModeR = 0x72;   // 'r'

    virtual uint8_t RfMode() const { return kModeB; }
    virtual Pupi PupiBytes() const = 0;
    // What identifies the card to the operator: its PUPI, or its UID.
    virtual Bytes Identity() const {
        const Pupi pupi = PupiBytes();
        return Bytes(pupi.begin(), pupi.end());
    }
    virtual std::array<uint8_t, 4> ApplicationData() const { return {}; }
    virtual std::array<uint8_t, 3> ProtocolInfo() const = 0;
    // 0x50, PUPI, application data, protocol information.
    std::array<uint8_t, kAtqbSize> Atqb() const;

    // The field went off.
    void FieldReset();
    // `atqb` receives kAtqbSize bytes. A request reaching an active card
    // sends it back and is not answered.
    Status Request(int mode, uint8_t* atqb);
    // A ready card with this PUPI becomes active; other cards ignore it.
    Status Attrib(const Pupi& pupi);
    bool IsReady() const { return activation_.IsReady(); }
    bool IsActive() const { return activation_.IsActive(); }

    // ISO 14443-4 frames of the active card, answered in `answer`.
    Status Exchange(std::span<const uint8_t> frame, Bytes& answer);
    // The active card goes to halt.
    Status Deselect();

    const Bytes& Image() const { return image_; }
    const std::string& ImageName() const { return imageName_; }

    // ST tags: an initiate gives the tag's chip identifier; a select with an
    // identifier opens the tag that holds it and closes the others.
    virtual Status OnStInitiate(uint8_t& chipId);
    virtual Status OnStSelect(uint8_t chipId);
    virtual Status OnSr176Read(uint8_t block, Bytes& data);
    virtual Status OnSr176Write(uint8_t block, std::span<const uint8_t, 2> data);
    virtual Status OnSr176Protect(uint8_t lockReg);
    virtual Status OnSrix4kRead(uint8_t block, Bytes& data);
    virtual Status OnSrix4kWrite(uint8_t block, std::span<const uint8_t, 4> data);
    virtual Status OnSrix4kUid(Bytes& uid);
    virtual Status OnSrix4kLock(uint8_t lockReg);
    // AT88RF020, once it answered a request.
    virtual Status OnAt020Check(std::span<const uint8_t, 8> password);
    virtual Status OnAt020Read(uint8_t page, Bytes& data);
    virtual Status OnAt020Write(uint8_t page, std::span<const uint8_t, 8> data);
    virtual Status OnAt020Lock(std::span<const uint8_t, 4> lock);
    virtual Status OnAt020Count(std::span<const uint8_t, 6> signature);
    virtual Status OnAt020Deselect();
    // THR1064, once selected.
    virtual Status OnThr1064Check(std::span<const uint8_t, 8> key);
    virtual Status OnThr1064Read(uint8_t page, Bytes& data);
    virtual Status OnThr1064Write(uint8_t page, std::span<const uint8_t> data);
    // A raw frame (without its CRC) as the card hears it on the field; false
    // when the card does not answer it. `answer` is without its CRC.
    bool RawFrame(std::span<const uint8_t> frame, Bytes& answer) { return OnRawFrame(frame, answer); }

protected:
    TypeBCard(ImageStore& store, std::string imageName, const Bytes& factoryImage);

    virtual Status OnExchange(std::span<const uint8_t> frame, Bytes& answer);
    // Raw frames: a card of mode 'B' answers the ISO 14443-3 frames, and
    // the ISO 14443-4 ones while its family takes them; the tags of the
    // other modes answer none.
    virtual bool OnRawFrame(std::span<const uint8_t> frame, Bytes& answer);
    // The ISO 14443-3 frames (REQB/WUPB, ATTRIB, HLTB) and, while active, the
    // ISO 14443-4 I-blocks and S(DESELECT), for families that speak them.
    bool AnswerIsoFrame(std::span<const uint8_t> frame, Bytes& answer);
    // Called whenever the card leaves the active state.
    virtual void EndSession() {}
    // Called when the field goes off.
    virtual void OnFieldReset() {}

    // Saves `image` and makes it the card's memory; on a failed save nothing changes.
    Status Commit(Bytes image);

private:
    void LeaveActive();

    ImageStore& store_;
    std::string imageName_;
    Bytes image_;
    Iso14443aActivation activation_;  // the same states, other request codes
};

}  // namespace kelvar
