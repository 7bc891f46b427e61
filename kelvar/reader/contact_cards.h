// The cards the contact slot can hold: AT24C01 .. AT24C64, the AT88SC1608
// and the processor card.
#pragma once

#include <memory>

#include "kelvar/cards/contact_card.h"
#include "kelvar/reader/card_kind.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

// A card of `kind` with its image in `store`, or nothing for a kind that is
// not a contact card.
std::unique_ptr<ContactCard> MakeContactCard(CardKind kind, ImageStore& store);

}  // namespace kelvar
