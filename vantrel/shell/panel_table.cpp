#include "vantrel/shell/panel_table.h"

#include "vantrel/panels/connection/device_page.h"
#include "vantrel/panels/iso14443a/mifare_4k_panel.h"
#include "vantrel/panels/iso14443a/mifare_panel.h"
#include "vantrel/panels/iso14443a/ntag203_panel.h"
#include "vantrel/panels/iso14443a/ultralight_c_panel.h"
#include "vantrel/panels/iso14443a/ultralight_panel.h"
#include "vantrel/shell/program_settings.h"

PanelChoice CreatePanel(int32_t code, int /*screenWidth*/, PanelContext& context) {
    switch (code) {
    case kDevicePageCode:
        return {std::make_unique<CDevicePage>(context), PanelPlacement::Centred};
    case 0:
        return {std::make_unique<CUltraLightPanel>(context), PanelPlacement::Centred};
    case 1:
        return {std::make_unique<CMifarePanel>(context), PanelPlacement::Centred};
    case 2:
        return {std::make_unique<CMifare4KPanel>(context), PanelPlacement::Centred};
    case 28:
        return {std::make_unique<CUltraLightCPanel>(context), PanelPlacement::Centred};
    case 29:
        return {std::make_unique<CNtag203Panel>(context), PanelPlacement::Centred};
    default:
        return {};
    }
}
