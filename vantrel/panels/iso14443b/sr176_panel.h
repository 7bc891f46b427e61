// The SR176 panel: 16 blocks of 2 bytes, blocks 4 to 14 written one by one.
#pragma once

#include "vantrel/panels/iso14443b/st_tag_panel.h"

class CSr176Panel : public StTagPanel {
public:
    explicit CSr176Panel(PanelContext& context);

protected:
    BOOL OnInitDialog() override;
};
