// The kinds of card the virtual reader can hold, and their names in the
// configuration file. The contactless kinds lie in the fields, the others
// in the contact slot.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "common/virtual_cards.h"

namespace kelvar {

using CardKind = virtual_cards::Card;

// Every contactless kind, in the order the default field holds them: a
// search finds the Mifare 4K card first (it also serves as a 1K card) and
// the UltraLight C first among the page-addressed tags.
std::span<const CardKind> AllCardKinds();

// Every contact kind, in the order the default slot holds them: the AT24C64
// first, so that a memory card command meets the largest card.
std::span<const CardKind> ContactCardKinds();

bool IsContactKind(CardKind kind);

// The configuration name of a kind, lower case ("mifare1k").
std::string_view CardKindName(CardKind kind);

// The kind named `name` (ASCII case ignored), or nothing for an unknown name.
std::optional<CardKind> FindCardKind(std::string_view name);

}  // namespace kelvar
