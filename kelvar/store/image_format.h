// The on-disk form of a card image: a 24-byte header, then the image.
//
//   0  8  magic "KVIMG" 0x1A, format 1, 0
//   8  4  kind: CRC-32 of the image's name, so a file renamed to another
//         card's name is not taken for that card
//  12  4  image length
//  16  4  CRC-32 of bytes 0..15 and the image
//  20  4  zero
//
// All numbers little-endian. Files without the magic are raw images as
// written before the header existed; they are used when their size is exact.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kelvar {

using Bytes = std::vector<uint8_t>;

inline constexpr size_t kImageHeaderSize = 24;

// The file content that stores `image` under `name`.
Bytes EncodeImageFile(std::string_view name, std::span<const uint8_t> image);

// Why a file could not be used; the text goes to the store's log.
struct ImageDamage {
    std::string reason;
};

// The image in `file`, or why the file is damaged. `file` may be cut short
// (the reader stops at kImageHeaderSize + expectedSize + 1 bytes).
std::variant<Bytes, ImageDamage> DecodeImageFile(std::string_view name, size_t expectedSize,
                                                 std::span<const uint8_t> file);

}  // namespace kelvar
