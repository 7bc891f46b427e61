#include "vantrel/panels/iso14443a/ultralight_c_panel.h"

#include "vantrel/panels/iso14443a/ultralight_c_ids.h"
#include "vantrel/toolkit/id_range.h"

namespace {

constexpr std::size_t kKeySize = 16;

static_assert(IdsAreConsecutive({IDC_ULC_PAGE0, IDC_ULC_PAGE1, IDC_ULC_PAGE2_DATA,
                                 IDC_ULC_PAGE2_LOCK, IDC_ULC_PAGE3, IDC_ULC_PAGE4, IDC_ULC_PAGE5,
                                 IDC_ULC_PAGE6, IDC_ULC_PAGE7, IDC_ULC_PAGE8, IDC_ULC_PAGE9,
                                 IDC_ULC_PAGE10, IDC_ULC_PAGE11, IDC_ULC_PAGE12, IDC_ULC_PAGE13,
                                 IDC_ULC_PAGE14, IDC_ULC_PAGE15, IDC_ULC_PAGE16, IDC_ULC_PAGE17,
                                 IDC_ULC_PAGE18, IDC_ULC_PAGE19, IDC_ULC_PAGE20, IDC_ULC_PAGE21,
                                 IDC_ULC_PAGE22, IDC_ULC_PAGE23, IDC_ULC_PAGE24, IDC_ULC_PAGE25,
                                 IDC_ULC_PAGE26, IDC_ULC_PAGE27, IDC_ULC_PAGE28, IDC_ULC_PAGE29,
                                 IDC_ULC_PAGE30, IDC_ULC_PAGE31, IDC_ULC_PAGE32, IDC_ULC_PAGE33,
                                 IDC_ULC_PAGE34, IDC_ULC_PAGE35, IDC_ULC_PAGE36, IDC_ULC_PAGE37,
                                 IDC_ULC_PAGE38, IDC_ULC_PAGE39, IDC_ULC_PAGE40, IDC_ULC_PAGE41,
                                 IDC_ULC_PAGE42, IDC_ULC_PAGE43}),
              "the page grid computes the edit of page p");

constexpr UltraLightFamilyIds kIds{IDC_ULC_UID_LABEL, IDC_ULC_UID,        IDC_ULC_SEARCH,
                                   IDC_ULC_REQIDL,    IDC_ULC_HALT,       IDC_ULC_PAGE_LABEL,
                                   IDC_ULC_PAGE_LIST, IDC_ULC_READ,       IDC_ULC_WRITE,
                                   IDC_ULC_PAGE_FRAME};
// "KEY", "Authenticate" and "Update" keep their template texts.
constexpr auto kCaptions = UltraLightFamilyCaptions(kIds);
constexpr int kHighlighted[] = {IDC_ULC_PAGE2_LOCK, IDC_ULC_PAGE3,  IDC_ULC_PAGE40,
                                IDC_ULC_PAGE41,     IDC_ULC_PAGE42, IDC_ULC_PAGE43};

constexpr UltraLightFamilySetup kSetup{
    .ids = kIds,
    .captions = kCaptions,
    .grid = {IDC_ULC_PAGE0, 44, 1},
    .lastFilteredPageEdit = IDC_ULC_PAGE43,
    .highlighted = kHighlighted,
    .lockUid = true,
};

}  // namespace

CUltraLightCPanel::CUltraLightCPanel(PanelContext& context)
    : WithMessageMap(IDD_ULTRALIGHT_C, context, kSetup) {}

std::span<const MessageEntry<CUltraLightCPanel>> CUltraLightCPanel::Messages() {
    using Self = CUltraLightCPanel;
    static const MessageEntry<Self> map[] = {
        OnCommand<Self>(IDC_ULC_AUTHENTICATE, &Self::OnAuthenticate),
        OnCommand<Self>(IDC_ULC_UPDATE, &Self::OnUpdate),
    };
    return map;
}

BOOL CUltraLightCPanel::OnInitDialog() {
    UltraLightFamilyPanel::OnInitDialog();
    SetUpHexEdit(key_, IDC_ULC_KEY, kKeySize);
    return TRUE;
}

bool CUltraLightCPanel::KeyReady(Command& cmd, Bytes& key) {
    if (!cmd.RequireConnection()) return false;
    if (key_.ByteCount() != kKeySize) {
        cmd.InputError(UiText(ultralight_text::kKeyNot16Bytes));
        return false;
    }
    key = key_.GetBytes();
    return true;
}

// Success is only logged.
void CUltraLightCPanel::OnAuthenticate() {
    Command cmd(context_, hwnd_);
    Bytes key;
    if (!KeyReady(cmd, key)) return;
    cmd.Call(reader_.rf_UC_authentication, kDevice, key.data());
}

// Success is only logged; no confirmation is asked.
void CUltraLightCPanel::OnUpdate() {
    Command cmd(context_, hwnd_);
    Bytes key;
    if (!KeyReady(cmd, key)) return;
    cmd.Call(reader_.rf_UC_changekey, kDevice, key.data());
}

CardSecrets CUltraLightCPanel::TypedSecrets() const {
    CardSecrets secrets;
    secrets.ultralightCKey = key_.GetBytes();
    return secrets;
}
