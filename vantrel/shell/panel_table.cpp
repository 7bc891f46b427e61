#include "vantrel/shell/panel_table.h"

PanelChoice CreatePanel(int32_t /*code*/, int /*screenWidth*/, PanelContext& /*context*/) {
    return {};
}
