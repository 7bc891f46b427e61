// The cards the contact slot can hold, by their configuration names
// ("at24c01" .. "at24c64", "at88sc1608", "cpu").
#pragma once

#include <memory>
#include <string_view>

#include "kelvar/cards/contact_card.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

// The ISO 7816 processor card.
inline constexpr std::string_view kContactCpuCardName = "cpu";

// A card named `name` (lower case) with its image in `store`, or nothing for
// a name this library does not know.
std::unique_ptr<ContactCard> MakeContactCard(std::string_view name, ImageStore& store);

}  // namespace kelvar
