// The UltraLight panel: 16 pages read four at a time, pages 2 to 15 written one by one.
#pragma once

#include "vantrel/panels/iso14443a/ultralight_family_panel.h"

class CUltraLightPanel : public UltraLightFamilyPanel {
public:
    explicit CUltraLightPanel(PanelContext& context);
};
