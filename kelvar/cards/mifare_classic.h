// A virtual Mifare Classic 1K or 4K card: ISO 14443-A activation, three-pass
// authentication reduced to a key comparison, block access under the
// sector's access conditions and value operations. Memory is a byte image of
// all blocks, kept in an ImageStore; every change is saved before the call
// returns, and a failed save leaves the memory as it was.
//
// Trailer writes with damaged access bits are refused (kAccessDenied), as
// they would lock the sector for good.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/mifare_access.h"
#include "common/mifare_layout.h"
#include "kelvar/cards/type_a_card.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class MifareClassicCard : public TypeACard {
public:
    static constexpr int kAuthKeyA = 0x60;
    static constexpr int kAuthKeyB = 0x61;
    static constexpr int kKeySize = 6;

    static bool IsValidUid(const Bytes& uid) { return uid.size() == 4 || uid.size() == 7; }

    // `uid` must hold 4 or 7 bytes (std::invalid_argument otherwise). A stored
    // image of the right size named `imageName` is loaded; block 0 always
    // carries this card's UID, as the manufacturer wrote it.
    MifareClassicCard(mifare::CardSize size, Bytes uid, ImageStore& store, std::string imageName);

    Bytes Uid() const override { return uid_; }
    std::array<uint8_t, 2> Atqa() const override;
    uint8_t Sak() const override;

    mifare::CardSize Size() const { return size_; }
    int BlockCount() const { return mifare::BlockCount(size_); }

private:
    // Authenticates the sector of `block` with key A (0x60) or B (0x61).
    Status OnAuthenticate(int keyType, int block, const uint8_t* key) override;
    // 16 bytes. Key A reads as zeros; key B too unless the trailer lets it be read.
    Status OnRead(int block, uint8_t* data) override;
    Status OnWriteBlock(int block, const uint8_t* data) override;
    // The block becomes a value block holding `value`, its address byte the block number.
    Status OnInitValue(int block, int32_t value) override;
    // Each adds to or takes from the block's value and stores the result in
    // the same block. Negative operands (kBadArgument) and results outside
    // the int32 range (kValueOverflow) change nothing.
    Status OnIncrement(int block, int32_t operand) override;
    Status OnDecrement(int block, int32_t operand) override;
    Status OnReadValue(int block, int32_t* value) override;
    void EndSession() override { authSector_ = -1; }

    static Bytes FactoryImage(mifare::CardSize size);

    bool ValidBlock(int block) const { return block >= 0 && block < BlockCount(); }
    static uint8_t* BlockAt(Bytes& image, int block) { return image.data() + block * mifare::kBlockSize; }
    const uint8_t* BlockAt(int block) const { return Image().data() + block * mifare::kBlockSize; }

    // kOk when the card is authenticated for the sector of `block`.
    Status CheckAuthenticated(int block) const;
    // Access conditions of the sector of `block`; nothing when they are damaged.
    std::optional<mifare::Conditions> ConditionsOf(int block) const;
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
    void WriteManufacturerBlock();

    mifare::CardSize size_;
    Bytes uid_;
    int authSector_ = -1;  // the authenticated sector while active, else -1
    mifare::Key authKey_ = mifare::Key::kA;
};

}  // namespace kelvar
