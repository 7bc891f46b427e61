// The ISO 15693 tags the virtual field can hold, one row per kind.
#pragma once

#include <memory>

#include "kelvar/cards/iso15693_tag.h"
#include "kelvar/reader/card_kind.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

// 28 blocks; writes and locks with or without the option flag.
inline constexpr Iso15693Profile kICodeSliProfile{
    "icodesli.img", {0x3B, 0x6E, 0x92, 0x15, 0x08, 0x01, 0x04, 0xE0}, 28, 0x01, false, 0x00, 0x00};
// 64 blocks; writes and locks only with the option flag.
inline constexpr Iso15693Profile kTagItProfile{
    "tagit.img", {0x5D, 0x40, 0xA3, 0x27, 0x00, 0x00, 0x07, 0xE0}, 64, 0x00, true, 0x00, 0x00};

// 18 blocks; block 16 through the custom request only.
inline constexpr Iso15693Profile kSrf55V01PProfile{
    "srf55v01p.img", {0x71, 0x2C, 0x4E, 0x09, 0x31, 0x00, 0x05, 0xE0}, 18, 0x00, false, 0x00, 0x00};
// 8-byte pages: 32 and 128 of them.
inline constexpr Iso15693Profile kSrf55V02PProfile{
    "srf55v02p.img", {0x18, 0xA6, 0x3D, 0x52, 0x32, 0x00, 0x05, 0xE0}, 64, 0x00, false, 0x00, 0x00};
inline constexpr Iso15693Profile kSrf55V10PProfile{
    "srf55v10p.img", {0x94, 0x0B, 0x7F, 0x66, 0x33, 0x00, 0x05, 0xE0}, 256, 0x00, false, 0x00, 0x00};
// 14 one-byte blocks.
inline constexpr Iso15693Profile kSri64Profile{
    "sri64.img", {0x3E, 0x81, 0x5C, 0x20, 0x0A, 0x00, 0x02, 0xE0}, 14, 0x00, false, 0x00, 0x00};

// A new tag of `kind` with its image in `store`, or nothing for a kind that
// is not an ISO 15693 tag this library emulates.
std::unique_ptr<Iso15693Tag> MakeVicinityTag(CardKind kind, ImageStore& store);

}  // namespace kelvar
