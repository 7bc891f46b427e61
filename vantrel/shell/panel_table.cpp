#include "vantrel/shell/panel_table.h"

#include "vantrel/shell/program_settings.h"

PanelChoice CreatePanel(int32_t code, int screenWidth, PanelContext& context) {
    (void)screenWidth;
    (void)context;
    switch (code) {
    default:
        return {};
    }
}
