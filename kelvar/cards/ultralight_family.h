// Page-addressed ISO 14443-A tags with a 7-byte UID (16-byte reads of four
// pages, 4-byte page writes, the 16-byte compatibility write). The memory is
// the tag's image of 4-byte pages.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "kelvar/cards/type_a_card.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

using TagUid = std::array<uint8_t, 7>;

class UltralightFamilyTag : public TypeACard {
public:
    static constexpr size_t kPageSize = 4;
    static constexpr size_t kUidSize = 7;
    static constexpr size_t kReadSize = 16;
    static constexpr size_t kAtqaSize = 2;

    Bytes Uid() const override;
    std::array<uint8_t, 2> Atqa() const override { return {0x44, 0x00}; }
    uint8_t Sak() const override { return 0x00; }

    size_t PageCount() const { return Image().size() / kPageSize; }

protected:
    // Uses the stored image of `imageName` when there is one of the right
    // size, else `factoryImage`.
    UltralightFamilyTag(ImageStore& store, std::string imageName, const Bytes& factoryImage);

    // An image of `pageCount` zero pages holding `uid` and its check bytes.
    static Bytes BlankImage(size_t pageCount, const TagUid& uid);

    // The end of the memory a read from `page` may see (the wrap-around
    // point), or the refusal of that read.
    virtual Status ReadableEnd(unsigned page, unsigned& end) const;

    // Applies a write of `page` to `image` (a copy of the tag's image).
    virtual Status ApplyWrite(unsigned page, const uint8_t* data, Bytes& image) = 0;

    // Applies a write of a page from 16 on; a counter increment waits for the
    // next RF reset.
    Status WriteUpperPage(unsigned page, const uint8_t* data, Bytes& image);

private:
    // Reads four pages from `page` into 16 bytes of `out`, continuing at
    // page 0 past the end of the readable memory.
    Status OnRead(int page, uint8_t* out) override;
    // Writes 4 bytes to `page` under the tag's lock rules.
    Status OnWritePage(int page, const uint8_t* data) override;
    Status OnWriteBlock(int page, const uint8_t* data) override { return OnWritePage(page, data); }
    void PowerLost() override;

    unsigned pendingIncrement_ = 0;  // a counter increment waiting for the RF reset
};

}  // namespace kelvar
