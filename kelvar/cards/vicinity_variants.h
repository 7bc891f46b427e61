// ISO 15693 tags with commands of their own: the page-addressed tags (8-byte
// pages of two blocks), the 18-block tag whose configuration block 16 is
// written only by a custom request, and the tag of 14 one-byte blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "kelvar/cards/iso15693_tag.h"

namespace kelvar {

class PagedVicinityTag : public Iso15693Tag {
public:
    static constexpr size_t kPageSize = 8;
    static constexpr size_t kBlocksPerPage = kPageSize / kBlockSize;

    using Iso15693Tag::Iso15693Tag;

    size_t PageCount() const { return BlockCount() / kBlocksPerPage; }
    Status ReadPage(size_t page, uint8_t* out) const override;
    Status WritePage(size_t page, const uint8_t* data) override;
};

// Block 16's bytes 2 and 3 change through the custom command 0xA0 of maker
// 0x05 with the parameters 0x90, block 0x10, 0x00, the byte's index in the
// block (2 or 3), its value; sent addressed, the request is
//   flags 0x22 (addressed, high rate), 0xA0, 0x05, the UID (8 bytes, as the
//   inventory gives it), 0x90, 0x10, 0x00, index, value
// and answered by the flags byte 0x00 alone. Plain writes of block 16 are refused.
class ConfigBlockVicinityTag : public Iso15693Tag {
public:
    static constexpr size_t kConfigBlock = 16;
    static constexpr uint8_t kCustomCommand = 0xA0;
    static constexpr uint8_t kMakerCode = 0x05;

    using Iso15693Tag::Iso15693Tag;

    Status WriteBlock(bool option, size_t block, const uint8_t* data) override;
    Status CustomCommand(uint8_t command, std::span<const uint8_t> parameters, Bytes& answer) override;
};

// Each block keeps its byte in the first byte of a 4-byte image block; a
// read answers the data byte and then the block's status byte.
class ByteBlockVicinityTag : public Iso15693Tag {
public:
    using Iso15693Tag::Iso15693Tag;

    Status ReadAnswer(bool option, size_t first, size_t count, uint8_t* out, uint8_t* length) const override;
    Status WriteBlock(bool option, size_t block, const uint8_t* data) override;
    Status WriteByteBlock(size_t block, uint8_t data) override;
};

}  // namespace kelvar
