// The ISO 15693 tags in the reader's field, in field order. Of the tags it
// holds, those placed in it answer, and only while the field is powered
// (antenna on, RF mode '1').
//
// An inventory finds every tag. Every other request addresses one tag by
// its 8-byte UID, in the order the inventory gives it (kNoCard when no tag
// has it). The mode of a request is 2 (addressed) or 6 (addressed, option
// flag on); any other mode is a bad argument. A read with the option flag
// gives each block's security status byte before its data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "kelvar/cards/iso15693_tag.h"
#include "kelvar/reader/card_kind.h"
#include "kelvar/reader/field_cards.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class Iso15693Field {
public:
    static constexpr uint8_t kModeAddressed = 0x02;
    static constexpr uint8_t kModeOption = 0x04;
    static constexpr size_t kInventoryRecordSize = 9;  // DSFID, UID
    static constexpr size_t kMaxReadBlocks = 14;
    static constexpr size_t kMaxSecurityBlocks = 28;
    static constexpr size_t kPageSize = 8;

    // Creates the tags of `kinds` that are ISO 15693 tags, in that order.
    Iso15693Field(ImageStore& store, std::span<const CardKind> kinds);
    Iso15693Field(const Iso15693Field&) = delete;
    Iso15693Field& operator=(const Iso15693Field&) = delete;

    void SetPowered(bool on) { powered_ = on; }
    size_t TagCount() const { return tags_.PlacedCount(); }
    FieldCards<Iso15693Tag>& Tags() { return tags_; }
    const FieldCards<Iso15693Tag>& Tags() const { return tags_; }
    void PlaceOnly(std::span<const CardKind> kinds) { tags_.PlaceOnly(kinds, [](Iso15693Tag&) {}); }

    // One record per tag, at most as many as a one-byte length holds.
    Status Inventory(uint8_t* out, uint8_t* length);
    // A maker's own inventory: only its tags (IC manufacturer code `maker`)
    // whose AFI is `afi` answer; AFI 0 finds every tag of the maker.
    Status MakerInventory(uint8_t maker, uint8_t afi, uint8_t* out, uint8_t* length);
    // Iso15693Tag::kSystemInformationSize bytes.
    Status GetSystemInformation(uint8_t mode, const uint8_t* uid, uint8_t* out, uint8_t* length);
    // `count` blocks (1..kMaxReadBlocks) of 4 bytes from `first` on.
    Status Read(uint8_t mode, const uint8_t* uid, uint8_t first, uint8_t count, uint8_t* out, uint8_t* length);
    // One status byte (bit 0: locked) for each of `count` blocks (1..kMaxSecurityBlocks).
    Status GetBlockSecurity(uint8_t mode, const uint8_t* uid, uint8_t first, uint8_t count, uint8_t* out,
                            uint8_t* length);
    Status Write(uint8_t mode, const uint8_t* uid, uint8_t block, const uint8_t* data);
    Status LockBlock(uint8_t mode, const uint8_t* uid, uint8_t block);
    Status WriteDsfid(uint8_t mode, const uint8_t* uid, uint8_t dsfid);
    Status LockDsfid(uint8_t mode, const uint8_t* uid);
    Status WriteAfi(uint8_t mode, const uint8_t* uid, uint8_t afi);
    Status LockAfi(uint8_t mode, const uint8_t* uid);
    // A raw request, to which the reader adds the CRC, heard by every tag
    // (see raw_exchange.h and iso15693_raw.h); kNoCard while the field is off.
    Status Transceive(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength);

    // Tags with 8-byte pages: a page read, and a page write followed by a
    // read of the page (`readBack`, `length` 8) once the write is stored.
    Status ReadPage(const uint8_t* uid, uint8_t page, uint8_t* out, uint8_t* length);
    Status WritePageReadBack(const uint8_t* uid, uint8_t page, const uint8_t* data, uint8_t* readBack,
                             uint8_t* length);
    // Tags with one-byte blocks.
    Status WriteByteBlock(uint8_t mode, const uint8_t* uid, uint8_t block, uint8_t data);

private:
    // One record for each tag `answers(tag)` accepts.
    template <typename Filter>
    Status Collect(Filter answers, uint8_t* out, uint8_t* length);
    // Runs `command(tag, option)` on the tag `uid` addresses.
    template <typename Command>
    Status Addressed(uint8_t mode, const uint8_t* uid, Command command);

    FieldCards<Iso15693Tag> tags_;
    bool powered_ = false;
};

}  // namespace kelvar
