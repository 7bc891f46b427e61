#include "vantrel/panels/iso15693/vicinity_family_panel.h"

#include "vantrel/panels/iso15693/vicinity_family_ids.h"
#include "vantrel/toolkit/first_choice.h"

namespace {

constexpr int kSlotRadios[] = {IDC_VF_SLOT1, IDC_VF_SLOT2, IDC_VF_SLOT3, IDC_VF_SLOT4};
constexpr int kUidEdits[] = {IDC_VF_UID1, IDC_VF_UID2, IDC_VF_UID3, IDC_VF_UID4};

}  // namespace

std::span<const MessageEntry<VicinityFamilyPanel>> VicinityFamilyPanel::Messages() {
    using P = VicinityFamilyPanel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_VF_INVENTORY, &P::OnInventory),
        OnCommand(IDC_VF_READ, &P::OnRead),
        OnCommand(IDC_VF_WRITE, &P::OnWrite),
    };
    return map;
}

BOOL VicinityFamilyPanel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    for (int id : kSlotRadios) BindItem(id);
    CheckFirstChoice(Item(IDC_VF_SLOT1));
    // Filled by the inventory only.
    for (std::size_t i = 0; i < uids_.size(); ++i) {
        Bind(uids_[i], kUidEdits[i]);
        uids_[i].SetByteLimit(kVicinityUidSize);
        uids_[i].SetLocked(true);
        UseHexFont(uids_[i]);
    }
    return TRUE;
}

void VicinityFamilyPanel::ShowUids(std::span<const uint8_t> answer) {
    const std::vector<Bytes> found = InventoryUids(answer);
    for (std::size_t i = 0; i < found.size(); ++i) uids_[i].SetBytes(found[i]);
}

Bytes VicinityFamilyPanel::SlotUid() const { return uids_[CheckedIndex(kSlotRadios)].GetBytes(); }

CardSecrets VicinityFamilyPanel::TypedSecrets() const {
    CardSecrets secrets;
    secrets.tagUid = SlotUid();
    return secrets;
}

std::optional<Bytes> VicinityFamilyPanel::ChooseUid(Command& cmd) {
    Bytes uid = SlotUid();
    if (uid.size() != kVicinityUidSize) {
        cmd.InputError(UiText(kMainMessages, kTextUidLengthError));
        return std::nullopt;
    }
    return uid;
}

void VicinityFamilyPanel::ZeroFillOnFailure(Command& cmd, HexPagePane& pane) {
    cmd.OnFailure([&pane] { pane.ZeroFill(); });
}
