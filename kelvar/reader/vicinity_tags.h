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

// A new tag of `kind` with its image in `store`, or nothing for a kind that
// is not an ISO 15693 tag this library emulates.
std::unique_ptr<Iso15693Tag> MakeVicinityTag(CardKind kind, ImageStore& store);

}  // namespace kelvar
