// A virtual Mifare Classic 1K or 4K card: ISO 14443-A activation, three-pass
// authentication reduced to a key comparison, block access under the
// sector's access conditions and value operations. Memory is a byte image of
// all blocks, kept in an ImageStore; every change is saved before the call
// returns, and a failed save leaves the memory as it was.
//
// After a failed authentication the card stops answering until it is
// activated again (request and select): later operations get kNotSelected.
// Trailer writes with damaged access bits are refused (kAccessDenied), as
// they would lock the sector for good.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "kelvar/cards/iso14443a_activation.h"
#include "kelvar/cards/mifare_access.h"
#include "kelvar/cards/mifare_layout.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class MifareClassicCard {
public:
    static constexpr int kRequestAll = Iso14443aActivation::kRequestAll;
    static constexpr int kRequestIdle = Iso14443aActivation::kRequestIdle;
    static constexpr int kAuthKeyA = 0x60;
    static constexpr int kAuthKeyB = 0x61;
    static constexpr int kKeySize = 6;
    static constexpr int kMaxUidSize = 10;

    static bool IsValidUid(const Bytes& uid) { return uid.size() == 4 || uid.size() == 7; }

    // `uid` must hold 4 or 7 bytes (std::invalid_argument otherwise). A stored
    // image of the right size named `imageName` is loaded; block 0 always
    // carries this card's UID, as the manufacturer wrote it.
    MifareClassicCard(MifareSize size, Bytes uid, ImageStore& store, std::string imageName);

    // The field was switched off or the card left it: halt and selection end.
    void FieldReset();

    // `atqa` receives 2 bytes. Any request ends a selection; 0x26 (idle) is not
    // answered by a halted card, 0x52 (all) wakes it.
    Status Request(int mode, uint8_t* atqa);
    // After a request: the UID (room for kMaxUidSize bytes) and its length.
    Status Anticoll(uint8_t* uid, uint8_t* uidLength);
    // After a request, with this card's UID: the card is selected, `sak` set.
    Status Select(const uint8_t* uid, int uidLength, uint8_t* sak);
    Status Halt();

    // Authenticates the sector of `block` with key A (0x60) or B (0x61).
    Status Authenticate(int keyType, int block, const uint8_t* key);

    // 16 bytes. Key A reads as zeros; key B too unless the trailer lets it be read.
    Status Read(int block, uint8_t* data);
    Status Write(int block, const uint8_t* data);

    // The block becomes a value block holding `value`, its address byte the block number.
    Status InitValue(int block, int32_t value);
    // Each adds to or takes from the block's value and stores the result in
    // the same block. Negative operands (kBadArgument) and results outside
    // the int32 range (kValueOverflow) change nothing.
    Status Increment(int block, int32_t operand);
    Status Decrement(int block, int32_t operand);
    Status ReadValue(int block, int32_t* value);

    MifareSize Size() const { return size_; }
    int BlockCount() const { return MifareBlockCount(size_); }
    const Bytes& Uid() const { return uid_; }
    std::array<uint8_t, 2> Atqa() const;
    uint8_t Sak() const;

private:
    bool ValidBlock(int block) const { return block >= 0 && block < BlockCount(); }
    static uint8_t* BlockAt(Bytes& image, int block) { return image.data() + block * kMifareBlockSize; }
    const uint8_t* BlockAt(int block) const { return memory_.data() + block * kMifareBlockSize; }

    // kOk when the card is authenticated for the sector of `block`.
    Status CheckAuthenticated(int block) const;
    // Access conditions of the sector of `block`; nothing when they are damaged.
    std::optional<MifareConditions> ConditionsOf(int block) const;
    // What the authenticated key may do; nothing at all in a sector whose
    // access bits are damaged.
    struct DataGrant {
        bool read, write, increment, decrement;
    };
    struct TrailerGrant {
        bool keyAWrite, accessRead, accessWrite, keyBRead, keyBWrite;
    };
    DataGrant GrantedOnData(int block) const;
    TrailerGrant GrantedOnTrailer(int block) const;

    Status WriteTrailer(int block, const uint8_t* data);
    Status ChangeValue(int block, int32_t operand, bool increment);
    // Saves `image` and adopts it, or reports kStoreFailed and keeps memory_.
    Status Commit(Bytes image);
    void WriteManufacturerBlock();
    void FormatFactory();

    MifareSize size_;
    Bytes uid_;
    ImageStore& store_;
    std::string imageName_;
    Bytes memory_;
    Iso14443aActivation activation_;
    int authSector_ = -1;  // the authenticated sector while active, else -1
    MifareKey authKey_ = MifareKey::kA;
};

}  // namespace kelvar
