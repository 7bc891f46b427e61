// The card-type registry: one row per card type (and one for the device page)
// with its name, menu command, availability, panel factory and placement.
// The menu, the title, the check mark, the panel host and the tests read it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

#include "vantrel/toolkit/card_panel_base.h"

enum class PanelPlacement {
    Centred,          // centred horizontally on the frame, template top, never left of 0
    Origin,           // at the template origin
    Fill,             // fills the host, then lays itself out
    CentredThenFill,  // centred on the host, then fills it
};

// Where a card type's item sits in "Choose Card" (the device page's in "Set").
enum class CardMenuGroup {
    Iso14443a,
    Iso14443b,
    Iso15693,
    Iso7816,
    MemoryCard,
    Sam,
    PassThrough,
    SetMenu,
};

// The build's availability table: a flagged type is offered or removed; an
// unflagged one is always offered and keeps no popup alive.
enum class CardOffer { Offered, Removed, Unflagged };

struct PanelLayout {
    int templateId = 0;
    PanelPlacement placement = PanelPlacement::Centred;
};

// Template and placement by screen width (compared exactly with 640 and 800).
struct PanelLayoutRule {
    PanelLayout other;
    PanelLayout at800;
    PanelLayout at640;

    const PanelLayout& ForWidth(int screenWidth) const {
        return screenWidth == 640 ? at640 : screenWidth == 800 ? at800 : other;
    }
};

// Creates the panel object (not its window) for `code` from `templateId`.
using PanelFactory = std::unique_ptr<CardPanelBase> (*)(PanelContext& context, int32_t code,
                                                       int templateId);

struct CardTypeRow {
    int32_t code;
    const wchar_t* name;  // title and dialog bar
    UINT menuId;
    CardMenuGroup group;
    CardOffer offer;
    PanelFactory factory;  // every row has one (checked at compile time)
    PanelLayoutRule layout;
};

// The card types, indexed by code.
std::span<const CardTypeRow> CardTypes();
const CardTypeRow& DevicePageRow();

// The row of a card code (0..29 or the device page), or none.
const CardTypeRow* FindCardType(int32_t code);

// Whether this build offers the card type in the menu.
bool IsOffered(const CardTypeRow& row);

// The name shown in the title and the dialog bar: "Set" for the device page,
// "" for an unknown code.
const wchar_t* CardName(int32_t code);
// The menu command of a card code (0..29), or 0.
UINT CardMenuId(int32_t code);
// The card code (0..29) of a menu command, or -1.
int32_t CardCodeForMenuId(UINT menuId);

// The lowest and the highest menu command of the card types; other commands
// lie between them too.
struct MenuIdRange {
    UINT first;
    UINT last;
};
MenuIdRange CardMenuIds();

// Deletes the items of the card types this build removes, and the popups
// left without an offered flagged type.
void PruneCardMenu(HMENU menuBar);
