#include "vantrel/panels/iso14443a/ultralight_panel.h"

#include "vantrel/panels/iso14443a/ultralight_ids.h"

namespace {

constexpr int kHighlighted[] = {IDC_UL_PAGE2_LOCK, IDC_UL_PAGE3};

constexpr UltraLightFamilySetup kSetup{
    .ids = {IDC_UL_UID_LABEL, IDC_UL_UID, IDC_UL_SEARCH, IDC_UL_REQIDL, IDC_UL_HALT,
            IDC_UL_PAGE_LABEL, IDC_UL_PAGE_LIST, IDC_UL_READ, IDC_UL_WRITE, IDC_UL_PAGE_FRAME},
    .grid = {IDC_UL_PAGE0, 16, 4},
    .lastFilteredPageEdit = IDC_UL_PAGE15,
    .highlighted = kHighlighted,
    .lockUid = false,
};

}  // namespace

CUltraLightPanel::CUltraLightPanel(PanelContext& context)
    : WithMessageMap(IDD_ULTRALIGHT, context, kSetup) {}

std::span<const MessageEntry<CUltraLightPanel>> CUltraLightPanel::Messages() {
    using Self = CUltraLightPanel;
    static const MessageEntry<Self> map[] = {
        OnCommand<Self>(IDC_UL_SEARCH, &Self::OnSearch),
        OnCommand<Self>(IDC_UL_REQIDL, &Self::OnReqIdl),
        OnCommand<Self>(IDC_UL_HALT, &Self::OnHalt),
        OnCommand<Self>(IDC_UL_READ, &Self::OnRead),
        OnCommand<Self>(IDC_UL_WRITE, &Self::OnWrite),
    };
    return map;
}
