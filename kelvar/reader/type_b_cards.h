// The ISO 14443-B cards the virtual field can hold, one row per kind.
#pragma once

#include <memory>

#include "kelvar/cards/type_b_card.h"
#include "kelvar/reader/card_kind.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

// A new card of `kind` with its image in `store`, or nothing for a kind that
// is not a type B card this library emulates.
std::unique_ptr<TypeBCard> MakeTypeBCard(CardKind kind, ImageStore& store);

}  // namespace kelvar
