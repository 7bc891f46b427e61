// The AT24Cxx memory card panel (card types 13 to 19): the whole card read
// into a hex page editor, the changed bytes written back.
#pragma once

#include <cstdint>
#include <span>

#include "vantrel/panels/contact/at24c_geometry.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/hex_page_editor.h"

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
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM, LPARAM);
    // Lines the editor shows a page: 8 for the AT24C01, 16 for the others.
    int LinesPerPage() const;

    int32_t code_;
    At24Geometry geometry_;
    HexPageEditor editor_;
    Window pageBar_;
};
