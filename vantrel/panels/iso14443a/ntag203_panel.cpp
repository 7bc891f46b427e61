#include "vantrel/panels/iso14443a/ntag203_panel.h"

#include "vantrel/panels/iso14443a/ntag203_ids.h"
#include "vantrel/toolkit/id_range.h"

namespace {

static_assert(IdsAreConsecutive({IDC_NT_PAGE0, IDC_NT_PAGE1, IDC_NT_PAGE2_DATA, IDC_NT_PAGE2_LOCK,
                                 IDC_NT_PAGE3, IDC_NT_PAGE4, IDC_NT_PAGE5, IDC_NT_PAGE6,
                                 IDC_NT_PAGE7, IDC_NT_PAGE8, IDC_NT_PAGE9, IDC_NT_PAGE10,
                                 IDC_NT_PAGE11, IDC_NT_PAGE12, IDC_NT_PAGE13, IDC_NT_PAGE14,
                                 IDC_NT_PAGE15, IDC_NT_PAGE16, IDC_NT_PAGE17, IDC_NT_PAGE18,
                                 IDC_NT_PAGE19, IDC_NT_PAGE20, IDC_NT_PAGE21, IDC_NT_PAGE22,
                                 IDC_NT_PAGE23, IDC_NT_PAGE24, IDC_NT_PAGE25, IDC_NT_PAGE26,
                                 IDC_NT_PAGE27, IDC_NT_PAGE28, IDC_NT_PAGE29, IDC_NT_PAGE30,
                                 IDC_NT_PAGE31, IDC_NT_PAGE32, IDC_NT_PAGE33, IDC_NT_PAGE34,
                                 IDC_NT_PAGE35, IDC_NT_PAGE36, IDC_NT_PAGE37, IDC_NT_PAGE38,
                                 IDC_NT_PAGE39, IDC_NT_PAGE40, IDC_NT_PAGE41}),
              "the page grid computes the edit of page p");

constexpr UltraLightFamilyIds kIds{IDC_NT_UID_LABEL, IDC_NT_UID,        IDC_NT_SEARCH,
                                   IDC_NT_REQIDL,    IDC_NT_HALT,       IDC_NT_PAGE_LABEL,
                                   IDC_NT_PAGE_LIST, IDC_NT_READ,       IDC_NT_WRITE,
                                   IDC_NT_PAGE_FRAME};
constexpr auto kCaptions = UltraLightFamilyCaptions(kIds);
constexpr int kHighlighted[] = {IDC_NT_PAGE2_LOCK, IDC_NT_PAGE3, IDC_NT_PAGE40, IDC_NT_PAGE41};

// Pages 16 to 41 are plain edits: same limit and conversion, no key filter.
constexpr UltraLightFamilySetup kSetup{
    .ids = kIds,
    .captions = kCaptions,
    .grid = {IDC_NT_PAGE0, 42, 1},
    .lastFilteredPageEdit = IDC_NT_PAGE15,
    .highlighted = kHighlighted,
    .lockUid = true,
};

}  // namespace

CNtag203Panel::CNtag203Panel(PanelContext& context)
    : UltraLightFamilyPanel(IDD_NTAG203, context, kSetup) {}
