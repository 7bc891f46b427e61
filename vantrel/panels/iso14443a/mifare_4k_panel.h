// The Mifare Classic 4K panel: the 1K panel's top row and purse group (over
// sectors 0 to 31), a window for the small sectors 0 to 31 and a wide one for
// the large sectors 32 to 39 of 16 blocks.
#pragma once

#include "vantrel/panels/iso14443a/mifare_panel_base.h"

class CMifare4KPanel : public WithMessageMap<CMifare4KPanel, MifarePanelBase> {
public:
    explicit CMifare4KPanel(PanelContext& context);

    static std::span<const MessageEntry<CMifare4KPanel>> Messages();
};
