// The NTAG203 panel: 42 pages read one by one, pages 2 to 41 written one by one.
#pragma once

#include "vantrel/panels/iso14443a/ultralight_family_panel.h"

class CNtag203Panel : public UltraLightFamilyPanel {
public:
    explicit CNtag203Panel(PanelContext& context);
};
