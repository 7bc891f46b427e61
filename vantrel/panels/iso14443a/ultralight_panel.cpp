#include "vantrel/panels/iso14443a/ultralight_panel.h"

#include "vantrel/panels/iso14443a/ultralight_ids.h"
#include "vantrel/toolkit/id_range.h"

namespace {

static_assert(IdsAreConsecutive({IDC_UL_PAGE0, IDC_UL_PAGE1, IDC_UL_PAGE2_DATA, IDC_UL_PAGE2_LOCK,
                                 IDC_UL_PAGE3, IDC_UL_PAGE4, IDC_UL_PAGE5, IDC_UL_PAGE6,
                                 IDC_UL_PAGE7, IDC_UL_PAGE8, IDC_UL_PAGE9, IDC_UL_PAGE10,
                                 IDC_UL_PAGE11, IDC_UL_PAGE12, IDC_UL_PAGE13, IDC_UL_PAGE14,
                                 IDC_UL_PAGE15}),
              "the page grid computes the edit of page p");

constexpr UltraLightFamilyIds kIds{IDC_UL_UID_LABEL, IDC_UL_UID,        IDC_UL_SEARCH,
                                   IDC_UL_REQIDL,    IDC_UL_HALT,       IDC_UL_PAGE_LABEL,
                                   IDC_UL_PAGE_LIST, IDC_UL_READ,       IDC_UL_WRITE,
                                   IDC_UL_PAGE_FRAME};
constexpr auto kCaptions = UltraLightFamilyCaptions(kIds);
constexpr int kHighlighted[] = {IDC_UL_PAGE2_LOCK, IDC_UL_PAGE3};

constexpr UltraLightFamilySetup kSetup{
    .ids = kIds,
    .captions = kCaptions,
    .grid = {IDC_UL_PAGE0, 16, 4},
    .lastFilteredPageEdit = IDC_UL_PAGE15,
    .highlighted = kHighlighted,
    .lockUid = false,
};

}  // namespace

CUltraLightPanel::CUltraLightPanel(PanelContext& context)
    : UltraLightFamilyPanel(IDD_ULTRALIGHT, context, kSetup) {}
