#include "vantrel/panels/iso14443a/ultralight_c_panel.h"

#include "vantrel/panels/iso14443a/ultralight_c_ids.h"

namespace {

constexpr std::size_t kKeySize = 16;
constexpr const wchar_t* kKeySizeError = L"Key data is not 16 bytes!";

constexpr int kHighlighted[] = {IDC_ULC_PAGE2_LOCK, IDC_ULC_PAGE3,  IDC_ULC_PAGE40,
                                IDC_ULC_PAGE41,     IDC_ULC_PAGE42, IDC_ULC_PAGE43};

constexpr UltraLightFamilySetup kSetup{
    .ids = {IDC_ULC_UID_LABEL, IDC_ULC_UID, IDC_ULC_SEARCH, IDC_ULC_REQIDL, IDC_ULC_HALT,
            IDC_ULC_PAGE_LABEL, IDC_ULC_PAGE_LIST, IDC_ULC_READ, IDC_ULC_WRITE,
            IDC_ULC_PAGE_FRAME},
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
        OnCommand<Self>(IDC_ULC_SEARCH, &Self::OnSearch),
        OnCommand<Self>(IDC_ULC_REQIDL, &Self::OnReqIdl),
        OnCommand<Self>(IDC_ULC_HALT, &Self::OnHalt),
        OnCommand<Self>(IDC_ULC_READ, &Self::OnRead),
        OnCommand<Self>(IDC_ULC_WRITE, &Self::OnWrite),
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
        cmd.InputError(kKeySizeError);
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
    cmd.Call(reader_.rf_UC_authentication, 0, key.data());
}

// Success is only logged; no confirmation is asked.
void CUltraLightCPanel::OnUpdate() {
    Command cmd(context_, hwnd_);
    Bytes key;
    if (!KeyReady(cmd, key)) return;
    cmd.Call(reader_.rf_UC_changekey, 0, key.data());
}
