// The ISO 14443-A cards the virtual field can hold, one row per kind.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "kelvar/cards/type_a_card.h"
#include "kelvar/reader/card_kind.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

inline constexpr std::array<uint8_t, 4> kMifare1KUid = {0xC2, 0x5E, 0x19, 0x7A};
inline constexpr std::array<uint8_t, 4> kMifare4KUid = {0x9D, 0x3B, 0xE6, 0x44};
inline constexpr char kMifare1KImageName[] = "mifare1k.img";
inline constexpr char kMifare4KImageName[] = "mifare4k.img";

// A new card of `kind` with its default UID and its image in `store`, or
// nothing for a kind that is not a type A card this library emulates.
std::unique_ptr<TypeACard> MakeTypeACard(CardKind kind, ImageStore& store);

}  // namespace kelvar
