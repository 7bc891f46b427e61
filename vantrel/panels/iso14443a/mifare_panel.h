// The Mifare Classic 1K panel: the top row, the purse group and three
// identical operation windows over sectors 0 to 15.
#pragma once

#include "vantrel/panels/iso14443a/mifare_panel_base.h"

class CMifarePanel : public WithMessageMap<CMifarePanel, MifarePanelBase> {
public:
    explicit CMifarePanel(PanelContext& context);

    static std::span<const MessageEntry<CMifarePanel>> Messages();
};
