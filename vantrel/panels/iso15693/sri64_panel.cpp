#include "vantrel/panels/iso15693/sri64_panel.h"

#include "vantrel/framework/common_controls.h"
#include "vantrel/panels/iso15693/sri64_ids.h"
#include "vantrel/toolkit/id_range.h"

namespace {

static_assert(IdsAreConsecutive({IDC_SRI64_DATA0, 1080, 1081, 1082, 1083, 1084, 1085, 1086, 1087,
                                 1088, 1089, 1090, 1091, 1092, 1093, IDC_SRI64_DATA15}),
              "data field b is DATA0 + b");
static_assert(IdsAreConsecutive({IDC_SRI64_STATUS4, 1068, 1069, 1070, 1071, 1072, 1073, 1074,
                                 1075, 1076, 1077, IDC_SRI64_STATUS15}),
              "status field b from 4 on is STATUS4 + b - 4");

constexpr int StatusId(int block) {
    constexpr int kFirst[] = {IDC_SRI64_STATUS0, IDC_SRI64_STATUS1, IDC_SRI64_STATUS2,
                              IDC_SRI64_STATUS3};
    return block < 4 ? kFirst[block] : IDC_SRI64_STATUS4 + block - 4;
}

// Data byte and status byte.
constexpr uint8_t kBlockAnswerSize = 2;

}  // namespace

CSri64Panel::CSri64Panel(PanelContext& context) : WithMessageMap(IDD_SRI64, context) {}

std::span<const MessageEntry<CSri64Panel>> CSri64Panel::Messages() { return {}; }

BOOL CSri64Panel::OnInitDialog() {
    VicinityFamilyPanel::OnInitDialog();
    for (int row = 0; row < kFields; ++row) {
        ByteTextEdit& data = data_[static_cast<std::size_t>(row)];
        ByteTextEdit& status = status_[static_cast<std::size_t>(row)];
        Bind(data, IDC_SRI64_DATA0 + row);
        Bind(status, StatusId(row));
        data.SetByteLimit(1);
        data.SetLocked(false);
        if (row < kFirstEditable) data.SetReadOnly();
        status.SetByteLimit(1);
        status.SetReadOnly();
        UseHexFont(data);
        UseHexFont(status);
        if (row >= kBlocks) {
            data.Show(SW_HIDE);
            status.Show(SW_HIDE);
        }
        EditControl(data).SetModified(false);
    }
    for (int id : {IDC_SRI64_ROW14_LABEL, IDC_SRI64_ROW15_LABEL}) ShowWindow(BindItem(id), SW_HIDE);
    ShowWindow(BindItem(IDC_VF_PAGE_BAR), SW_HIDE);
    SetContentHeightBelow(IDC_SRI64_DATA0 + kBlocks - 1);
    return TRUE;
}

void CSri64Panel::OnInventory() { RunInventory(reader_.ISO15693_Inventorys59); }

void CSri64Panel::OnRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    for (int block = 0; block < kBlocks; ++block) {
        uint8_t answer[kAnswerSize] = {};
        uint8_t length = 0;
        if (!cmd.CallLoggedOnSuccess(reader_.ISO15693_Read, kDevice, kAddressedMode, uid->data(),
                                     static_cast<uint8_t>(block), 1, answer, &length)) {
            return;
        }
        if (length < kBlockAnswerSize) {
            // Without its status byte the answer is not a block.
            cmd.Failed(FormatText(UiText(kMainMessages, kTextReadBlockError), block));
            return;
        }
        ByteTextEdit& data = data_[static_cast<std::size_t>(block)];
        data.SetBytes(&answer[0], 1);
        EditControl(data).SetModified(false);
        status_[static_cast<std::size_t>(block)].SetBytes(&answer[1], 1);
    }
    cmd.Done(UiText(kMainMessages, kTextSrf55vReadOk));
}

void CSri64Panel::OnWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    for (int block = 0; block < kBlocks; ++block) {
        const ByteTextEdit& field = data_[static_cast<std::size_t>(block)];
        // Only what the operator typed since the last Read is sent.
        if (!EditControl(field).IsModified()) continue;
        const Bytes typed = field.GetBytes();
        const uint8_t value = typed.empty() ? 0 : typed[0];
        if (!cmd.CallLoggedOnSuccess(reader_.SRI64_Write, kDevice, kAddressedMode, uid->data(),
                                     static_cast<uint8_t>(block), value)) {
            return;
        }
    }
    cmd.Done(UiText(kMainMessages, kTextSrf55vWriteOk));
}
