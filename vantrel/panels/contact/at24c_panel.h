// The AT24Cxx memory card panel (card types 13 to 19): the whole card read
// into a hex page editor, the changed bytes written back.
#pragma once

#include <cstdint>
#include <span>

#include "vantrel/panels/contact/at24c_geometry.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/hex_page_pane.h"

class CAt24cPanel : public WithMessageMap<CAt24cPanel, CardPanelBase> {
public:
    // The card type fixes the geometry before the window exists.
    CAt24cPanel(PanelContext& context, int32_t code);

    static std::span<const MessageEntry<CAt24cPanel>> Messages();

    void Layout(int screenWidth) override;

protected:
    BOOL OnInitDialog() override;

private:
    void OnReadCard();
    void OnWriteCard();

    int32_t code_;
    At24Geometry geometry_;
    HexPagePane pane_;
};
