#include "vantrel/shell/card_registry.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "vantrel/panels/connection/device_page.h"
#include "vantrel/panels/connection/device_page_ids.h"
#include "vantrel/panels/contact/at24c_ids.h"
#include "vantrel/panels/contact/at24c_panel.h"
#include "vantrel/panels/contact/at88sc1608_ids.h"
#include "vantrel/panels/contact/at88sc1608_panel.h"
#include "vantrel/panels/contact/cpu_card_ids.h"
#include "vantrel/panels/contact/cpu_card_panel.h"
#include "vantrel/panels/contact/sam_ids.h"
#include "vantrel/panels/contact/sam_panel.h"
#include "vantrel/panels/iso14443a/mifare_4k_ids.h"
#include "vantrel/panels/iso14443a/mifare_4k_panel.h"
#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/panels/iso14443a/mifare_panel.h"
#include "vantrel/panels/iso14443a/ntag203_ids.h"
#include "vantrel/panels/iso14443a/ntag203_panel.h"
#include "vantrel/panels/iso14443a/pass_through_ids.h"
#include "vantrel/panels/iso14443a/pass_through_panel.h"
#include "vantrel/panels/iso14443a/shc1102_ids.h"
#include "vantrel/panels/iso14443a/shc1102_panel.h"
#include "vantrel/panels/iso14443a/tcl_ids.h"
#include "vantrel/panels/iso14443a/tcl_panel.h"
#include "vantrel/panels/iso14443a/ultralight_c_ids.h"
#include "vantrel/panels/iso14443a/ultralight_c_panel.h"
#include "vantrel/panels/iso14443a/ultralight_ids.h"
#include "vantrel/panels/iso14443a/ultralight_panel.h"
#include "vantrel/panels/iso15693/iso15693_ids.h"
#include "vantrel/panels/iso15693/iso15693_panel.h"
#include "vantrel/panels/iso14443b/at88rf020_ids.h"
#include "vantrel/panels/iso14443b/at88rf020_panel.h"
#include "vantrel/panels/iso14443b/sr176_ids.h"
#include "vantrel/panels/iso14443b/sr176_panel.h"
#include "vantrel/panels/iso14443b/srix4k_ids.h"
#include "vantrel/panels/iso14443b/srix4k_panel.h"
#include "vantrel/panels/iso14443b/thr1064_ids.h"
#include "vantrel/panels/iso14443b/thr1064_panel.h"
#include "vantrel/panels/iso15693/sri64_ids.h"
#include "vantrel/panels/iso15693/sri64_panel.h"
#include "vantrel/panels/iso15693/srf55v01p_ids.h"
#include "vantrel/panels/iso15693/srf55v01p_panel.h"
#include "vantrel/panels/iso15693/srf55v_ids.h"
#include "vantrel/panels/iso15693/srf55v_panel.h"
#include "vantrel/resources/resource.h"
#include "vantrel/shell/program_settings.h"

namespace {

#ifdef VANTREL_OFFER_ALL_CARDS
constexpr bool kOfferAllCards = true;
#else
constexpr bool kOfferAllCards = false;
#endif

using enum CardMenuGroup;
using enum CardOffer;
using enum PanelPlacement;

template <typename Panel>
std::unique_ptr<CardPanelBase> Make(PanelContext& context, int32_t, int) {
    return std::make_unique<Panel>(context);
}

// A panel that serves several codes: it is told its code, and the template
// the screen width chose when it has several.
template <typename Panel>
std::unique_ptr<CardPanelBase> MakeForCode(PanelContext& context, int32_t code, int templateId) {
    if constexpr (std::is_constructible_v<Panel, PanelContext&, int32_t, int>) {
        return std::make_unique<Panel>(context, code, templateId);
    } else {
        return std::make_unique<Panel>(context, code);
    }
}

// A panel with one template per screen width.
template <typename Panel>
std::unique_ptr<CardPanelBase> MakeOnTemplate(PanelContext& context, int32_t, int templateId) {
    return std::make_unique<Panel>(context, templateId);
}

constexpr PanelLayoutRule Same(int templateId, PanelPlacement placement = Centred) {
    return {{templateId, placement}, {templateId, placement}, {templateId, placement}};
}

constexpr PanelLayoutRule ByWidth(PanelLayout other, PanelLayout at800, PanelLayout at640) {
    return {other, at800, at640};
}

// Templates of the panels still to come are given by number until their ids
// headers exist.
constexpr CardTypeRow kRows[] = {
    {0, L"UltraLight", ID_CARD_ULTRALIGHT, Iso14443a, Offered, Make<CUltraLightPanel>,
     Same(IDD_ULTRALIGHT)},
    {1, L"Mifare_1K", ID_CARD_MIFARE_1K, Iso14443a, Offered, Make<CMifarePanel>, Same(IDD_MIFARE_1K)},
    {2, L"Mifare_4K", ID_CARD_MIFARE_4K, Iso14443a, Offered, Make<CMifare4KPanel>,
     Same(IDD_MIFARE_4K)},
    {3, L"AT88RF020", ID_CARD_AT88RF020, Iso14443b, Offered, MakeOnTemplate<CAt88rf020Panel>,
     ByWidth({IDD_AT88RF020, Centred}, {IDD_AT88RF020_800, Origin}, {IDD_AT88RF020_640, Origin})},
    {4, L"SR176", ID_CARD_SR176, Iso14443b, Offered, Make<CSr176Panel>, Same(IDD_SR176)},
    {5, L"SRIX4K", ID_CARD_SRIX4K, Iso14443b, Offered, Make<CSrix4kPanel>, Same(IDD_SRIX4K, Fill)},
    {6, L"Mifare_Pro(X) ", ID_CARD_MIFARE_PRO, Iso14443a, Offered, MakeForCode<CTclPanel>,
     ByWidth({IDD_TCL, Centred}, {IDD_TCL_800, Origin}, {IDD_TCL_640, Origin})},
    {7, L"SmartCard", ID_CARD_SMARTCARD, Iso14443b, Offered, MakeForCode<CTclPanel>,
     ByWidth({IDD_TCL, Centred}, {IDD_TCL_800, Origin}, {IDD_TCL_640, Origin})},
    {8, L"TRH1064", ID_CARD_THR1064, Iso14443b, Offered, Make<CThr1064Panel>, Same(IDD_THR1064)},
    {9, L"Tag_it", ID_CARD_TAG_IT, Iso15693, Offered, MakeForCode<CIso15693Panel>,
     Same(IDD_ISO15693, CentredThenFill)},
    {10, L"I.CODE SLI", ID_CARD_ICODE_SLI, Iso15693, Offered, MakeForCode<CIso15693Panel>,
     Same(IDD_ISO15693, CentredThenFill)},
    {11, L"SAM", ID_CARD_SAM, Sam, Removed, MakeForCode<CSamPanel>,
     ByWidth({IDD_SAM, Centred}, {IDD_SAM_800, Centred}, {IDD_SAM_640, Centred})},
    {12, L"CPU Card", ID_CARD_CPU, Iso7816, Removed, Make<CCpuCardPanel>, Same(IDD_CPU_CARD)},
    {13, L"AT24C01", ID_CARD_AT24C01, MemoryCard, Removed, MakeForCode<CAt24cPanel>,
     Same(IDD_AT24C, CentredThenFill)},
    {14, L"AT24C02", ID_CARD_AT24C02, MemoryCard, Removed, MakeForCode<CAt24cPanel>,
     Same(IDD_AT24C, CentredThenFill)},
    {15, L"AT24C04", ID_CARD_AT24C04, MemoryCard, Removed, MakeForCode<CAt24cPanel>,
     Same(IDD_AT24C, CentredThenFill)},
    {16, L"AT24C08", ID_CARD_AT24C08, MemoryCard, Removed, MakeForCode<CAt24cPanel>,
     Same(IDD_AT24C, CentredThenFill)},
    {17, L"AT24C16", ID_CARD_AT24C16, MemoryCard, Removed, MakeForCode<CAt24cPanel>,
     Same(IDD_AT24C, CentredThenFill)},
    {18, L"AT24C32", ID_CARD_AT24C32, MemoryCard, Removed, MakeForCode<CAt24cPanel>,
     Same(IDD_AT24C, CentredThenFill)},
    {19, L"AT24C64", ID_CARD_AT24C64, MemoryCard, Removed, MakeForCode<CAt24cPanel>,
     Same(IDD_AT24C, CentredThenFill)},
    {20, L"AT88SC1608", ID_CARD_AT88SC1608, Iso7816, Removed, Make<CAt88sc1608Panel>,
     Same(IDD_AT88SC1608, CentredThenFill)},
    {21, L"SHC1102", ID_CARD_SHC1102, Iso14443a, Offered, Make<CShc1102Panel>, Same(IDD_SHC1102)},
    {22, L"SRF55V02P", ID_CARD_SRF55V02P, Iso15693, Offered, MakeForCode<CSrf55vPanel>, Same(IDD_SRF55V)},
    {23, L"SRF55V10P", ID_CARD_SRF55V10P, Iso15693, Offered, MakeForCode<CSrf55vPanel>, Same(IDD_SRF55V)},
    {24, L"Mifare_DesFire", ID_CARD_DESFIRE, Iso14443a, Offered, MakeForCode<CTclPanel>,
     ByWidth({IDD_TCL, Centred}, {IDD_TCL_800, Origin}, {IDD_TCL_640, Origin})},
    {25, L"Test", ID_CARD_PASS_THROUGH, PassThrough, Offered, Make<CPassThroughPanel>,
     Same(IDD_PASS_THROUGH)},
    {26, L"SRF55V01P", ID_CARD_SRF55V01P, Iso15693, Unflagged, Make<CSrf55v01pPanel>, Same(IDD_SRF55V01P)},
    {27, L"SRI64", ID_CARD_SRI64, Iso15693, Unflagged, Make<CSri64Panel>, Same(IDD_SRI64)},
    {28, L"UltraLight C", ID_CARD_ULTRALIGHT_C, Iso14443a, Unflagged, Make<CUltraLightCPanel>,
     Same(IDD_ULTRALIGHT_C)},
    {29, L"Ntag203", ID_CARD_NTAG203, Iso14443a, Unflagged, Make<CNtag203Panel>,
     Same(IDD_NTAG203)},
};
constexpr int32_t kCardTypeCount = static_cast<int32_t>(std::size(kRows));

// Rows are looked up by code.
constexpr bool RowsInCodeOrder() {
    for (int32_t code = 0; code < kCardTypeCount; ++code) {
        if (kRows[code].code != code) return false;
    }
    return true;
}
static_assert(RowsInCodeOrder());

constexpr MenuIdRange kCardMenuIds = [] {
    MenuIdRange range{kRows[0].menuId, kRows[0].menuId};
    for (const CardTypeRow& row : kRows) {
        range.first = std::min(range.first, row.menuId);
        range.last = std::max(range.last, row.menuId);
    }
    return range;
}();

constexpr bool EveryRowHasAPanel() {
    for (const CardTypeRow& row : kRows) {
        if (row.factory == nullptr) return false;
    }
    return true;
}
static_assert(EveryRowHasAPanel());

constexpr CardTypeRow kDevicePageRow = {kDevicePageCode, L"Set",     ID_PORT_SET,
                                        SetMenu,         Unflagged, Make<CDevicePage>,
                                        Same(IDD_DEVICE_PAGE)};

// Positions in the menu bar and in "Choose Card".
constexpr int kChooseCardPosition = 1;
constexpr int kIso14443aPosition = 0;
constexpr int kIso14443bPosition = 1;
constexpr int kIso15693Position = 2;
constexpr int kIso7816Position = 3;
constexpr int kSamPosition = 4;

bool IsRemoved(const CardTypeRow& row) { return !IsOffered(row); }

bool AnyRemoved(CardMenuGroup group) {
    return std::any_of(std::begin(kRows), std::end(kRows),
                       [group](const CardTypeRow& row) { return row.group == group && IsRemoved(row); });
}

// Unflagged types do not keep a popup alive.
bool NoFlaggedOffered(CardMenuGroup group) {
    return std::none_of(std::begin(kRows), std::end(kRows), [group](const CardTypeRow& row) {
        return row.group == group && row.offer != Unflagged && IsOffered(row);
    });
}

void DeleteRemoved(HMENU menu, CardMenuGroup group) {
    for (const CardTypeRow& row : kRows) {
        if (row.group == group && IsRemoved(row)) DeleteMenu(menu, row.menuId, MF_BYCOMMAND);
    }
}

}  // namespace

std::span<const CardTypeRow> CardTypes() { return kRows; }

const CardTypeRow& DevicePageRow() { return kDevicePageRow; }

const CardTypeRow* FindCardType(int32_t code) {
    if (code >= 0 && code < kCardTypeCount) return &kRows[code];
    return code == kDevicePageCode ? &kDevicePageRow : nullptr;
}

bool IsOffered(const CardTypeRow& row) { return row.offer != Removed || kOfferAllCards; }

const wchar_t* CardName(int32_t code) {
    const CardTypeRow* row = FindCardType(code);
    return row != nullptr ? row->name : L"";
}

UINT CardMenuId(int32_t code) {
    return (code >= 0 && code < kCardTypeCount) ? kRows[code].menuId : 0;
}

MenuIdRange CardMenuIds() { return kCardMenuIds; }

int32_t CardCodeForMenuId(UINT menuId) {
    for (const CardTypeRow& row : kRows) {
        if (row.menuId == menuId) return row.code;
    }
    return -1;
}

void PruneCardMenu(HMENU menuBar) {
    DeleteRemoved(menuBar, PassThrough);

    HMENU chooseCard = GetSubMenu(menuBar, kChooseCardPosition);
    if (chooseCard == nullptr) return;
    DeleteRemoved(GetSubMenu(chooseCard, kIso14443aPosition), Iso14443a);
    DeleteRemoved(GetSubMenu(chooseCard, kIso14443bPosition), Iso14443b);
    DeleteRemoved(GetSubMenu(chooseCard, kIso15693Position), Iso15693);
    HMENU iso7816 = GetSubMenu(chooseCard, kIso7816Position);
    DeleteRemoved(iso7816, Iso7816);
    DeleteRemoved(iso7816, MemoryCard);

    if (AnyRemoved(Sam)) DeleteMenu(chooseCard, kSamPosition, MF_BYPOSITION);
    if (NoFlaggedOffered(MemoryCard)) {
        // The separator before the memory cards is its last item now.
        if (GetMenuItemCount(iso7816) > 1) {
            DeleteMenu(iso7816, GetMenuItemCount(iso7816) - 1, MF_BYPOSITION);
        } else {
            DeleteMenu(chooseCard, kIso7816Position, MF_BYPOSITION);
        }
    }
    // Highest position first, so that the others stay where they are.
    if (NoFlaggedOffered(Iso15693)) DeleteMenu(chooseCard, kIso15693Position, MF_BYPOSITION);
    if (NoFlaggedOffered(Iso14443b)) DeleteMenu(chooseCard, kIso14443bPosition, MF_BYPOSITION);
    if (NoFlaggedOffered(Iso14443a)) DeleteMenu(chooseCard, kIso14443aPosition, MF_BYPOSITION);
}
