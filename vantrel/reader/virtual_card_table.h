// The virtual reader's cards as the program shows them: a name and the
// field each lies in, and which of them a card type's panel works on.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/virtual_cards.h"

using VirtualCard = virtual_cards::Card;

struct VirtualCardRow {
    VirtualCard card;
    std::wstring_view name;
    std::wstring_view field;  // "ISO 14443-A", ..., "Contact"
};

// Every card, in the order the virtual cards dialog lists them.
std::span<const VirtualCardRow> VirtualCardRows();

// The cards the panel of card type `code` works on, alone in the field
// when the reader follows the card type; nothing for a code without a
// panel of its own (the device page).
std::optional<std::span<const VirtualCard>> CardsOfCardType(int32_t code);
