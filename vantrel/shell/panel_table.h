// Which panel each card type code shows, from which template, and how the
// host places it.
#pragma once

#include <cstdint>
#include <memory>

#include "vantrel/toolkit/card_panel_base.h"

enum class PanelPlacement {
    Centred,          // centred horizontally, template top
    Origin,           // at the template origin
    Fill,             // fills the host, then lays itself out
    CentredThenFill,  // centred on the host, then fills it
};

struct PanelChoice {
    std::unique_ptr<CardPanelBase> panel;
    PanelPlacement placement = PanelPlacement::Centred;
};

// The panel for `code` (0..29, or 255 for the device page) on a screen
// `screenWidth` pixels wide; no panel for a code without one.
PanelChoice CreatePanel(int32_t code, int screenWidth, PanelContext& context);
