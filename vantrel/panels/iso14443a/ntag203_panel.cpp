#include "vantrel/panels/iso14443a/ntag203_panel.h"

#include "vantrel/panels/iso14443a/ntag203_ids.h"

namespace {

constexpr int kHighlighted[] = {IDC_NT_PAGE2_LOCK, IDC_NT_PAGE3, IDC_NT_PAGE40, IDC_NT_PAGE41};

// Pages 16 to 41 are plain edits: same limit and conversion, no key filter.
constexpr UltraLightFamilySetup kSetup{
    .ids = {IDC_NT_UID_LABEL, IDC_NT_UID, IDC_NT_SEARCH, IDC_NT_REQIDL, IDC_NT_HALT,
            IDC_NT_PAGE_LABEL, IDC_NT_PAGE_LIST, IDC_NT_READ, IDC_NT_WRITE, IDC_NT_PAGE_FRAME},
    .grid = {IDC_NT_PAGE0, 42, 1},
    .lastFilteredPageEdit = IDC_NT_PAGE15,
    .highlighted = kHighlighted,
    .lockUid = true,
};

}  // namespace

CNtag203Panel::CNtag203Panel(PanelContext& context) : WithMessageMap(IDD_NTAG203, context, kSetup) {}

std::span<const MessageEntry<CNtag203Panel>> CNtag203Panel::Messages() {
    using Self = CNtag203Panel;
    static const MessageEntry<Self> map[] = {
        OnCommand<Self>(IDC_NT_SEARCH, &Self::OnSearch),
        OnCommand<Self>(IDC_NT_REQIDL, &Self::OnReqIdl),
        OnCommand<Self>(IDC_NT_HALT, &Self::OnHalt),
        OnCommand<Self>(IDC_NT_READ, &Self::OnRead),
        OnCommand<Self>(IDC_NT_WRITE, &Self::OnWrite),
    };
    return map;
}
