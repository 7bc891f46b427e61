#include "vantrel/panels/iso15693/srf55v01p_panel.h"

#include <algorithm>

#include "vantrel/panels/iso15693/config_block_frame.h"
#include "vantrel/panels/iso15693/srf55v01p_ids.h"

namespace {

// Every block on one page, a line each, labelled with its number.
constexpr HexPageShape kPaneShape{CSrf55v01pPanel::kBlocks, kVicinityBlockSize, CSrf55v01pPanel::kBlocks,
                                  kVicinityBlockSize};
// Blocks 13 to 15 and bytes 0 and 1 of block 16 are not the operator's to change.
constexpr int kProtectedFirst = 0x34;
constexpr int kProtectedLast = 0x3F;
constexpr int kConfigFixedFirst = 0x40;
constexpr int kConfigFixedLast = 0x41;

constexpr UiString kConfigAnswerBad{L"块16写入应答错误!", L"Block 16 write answer error!"};

}  // namespace

CSrf55v01pPanel::CSrf55v01pPanel(PanelContext& context)
    : WithMessageMap(IDD_SRF55V01P, context), pane_(kPaneShape) {
    HexPageEditor::LoadRichEdit();
}

std::span<const MessageEntry<CSrf55v01pPanel>> CSrf55v01pPanel::Messages() {
    using P = CSrf55v01pPanel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_SRF01_WRITE_AFI, &P::OnWriteAfi),
        OnCommand(IDC_SRF01_LOCK_AFI, &P::OnLockAfi),
    };
    return map;
}

BOOL CSrf55v01pPanel::OnInitDialog() {
    VicinityFamilyPanel::OnInitDialog();
    BindItem(IDC_SRF01_AFI_LABEL);
    Bind(afi_, IDC_SRF01_AFI);
    afi_.SetByteLimit(1);
    UseHexFont(afi_);

    // One page: the page bar stays hidden.
    BindPane(pane_, IDC_VF_EDITOR, IDC_VF_PAGE_BAR);
    pane_.Start(kBlocks * kVicinityBlockSize);
    pane_.Editor().AddProtectedRange(kProtectedFirst, kProtectedLast);
    pane_.Editor().AddProtectedRange(kConfigFixedFirst, kConfigFixedLast);
    SetContentHeightBelow(IDC_VF_EDITOR);
    return TRUE;
}

void CSrf55v01pPanel::OnInventory() {
    const Bytes afi = afi_.GetBytes();
    RunInventory(reader_.SRF55V_Inventorys, afi.empty() ? uint8_t{0} : afi[0]);
}

void CSrf55v01pPanel::OnRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    ZeroFillOnFailure(cmd, pane_);
    Bytes data;
    std::array<uint8_t, 4> config{};
    for (int block = 0; block < kBlocks; ++block) {
        if (block == kUnreadBlock) {
            data.insert(data.end(), kVicinityBlockSize, 0);
            continue;
        }
        uint8_t answer[kAnswerSize] = {};
        uint8_t length = 0;
        if (!cmd.CallLoggedOnSuccess(reader_.ISO15693_Read, kDevice, kAddressedMode, uid->data(),
                                     static_cast<uint8_t>(block), 1, answer, &length)) {
            return;
        }
        if (length < kVicinityBlockSize) {
            // A short block would shift every later one.
            cmd.Failed(FormatText(UiText(kMainMessages, kTextReadBlockError), block));
            return;
        }
        data.insert(data.end(), answer, answer + kVicinityBlockSize);
        if (block == kConfigBlock) std::copy_n(answer, config.size(), config.begin());
    }
    configCopy_ = config;
    pane_.Load(data);
    pane_.MarkUnread(kUnreadBlock * kVicinityBlockSize, kVicinityBlockSize);
    cmd.Done(UiText(kMainMessages, kTextSrf55vReadOk));
}

bool CSrf55v01pPanel::WriteConfigBlock(Command& cmd, const Bytes& uid, const Bytes& row) {
    for (const ConfigByteChange& change : ConfigBlockChanges(configCopy_, row)) {
        const auto frame = ConfigByteFrame(uid, change);
        uint8_t answer[kAnswerSize] = {};
        uint8_t length = 0;
        if (!cmd.Call(reader_.rf_transceive1, kDevice, frame.data(), static_cast<uint8_t>(frame.size()),
                      answer, &length)) {
            return false;
        }
        if (!ConfigAnswerIsSuccess(std::span<const uint8_t>(answer, length))) {
            cmd.Failed(UiText(kConfigAnswerBad));
            return false;
        }
        // The copy follows the tag only once the tag took the byte.
        configCopy_[change.index] = change.value;
        pane_.MarkWritten(kConfigBlock * kVicinityBlockSize + change.index, 1);
    }
    return true;
}

void CSrf55v01pPanel::OnWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    const int first = pane_.FirstChangedRow();
    if (first < 0) {
        cmd.Failed(UiText(kMainMessages, kTextNoChangedBlocks));
        return;
    }
    for (int block = first; block <= pane_.LastChangedRow(); ++block) {
        // Block 15 was never read: its zeros are not the tag's data.
        if (block == kUnreadBlock) continue;
        const Bytes row = pane_.RowBytes(block);
        if (block == kConfigBlock) {
            if (!WriteConfigBlock(cmd, *uid, row)) return;
            continue;
        }
        uint8_t data[kVicinityBlockSize + 1] = {};
        std::copy_n(row.begin(), std::min<std::size_t>(row.size(), kVicinityBlockSize), data);
        if (!cmd.Call(reader_.ISO15693_Write, kDevice, kAddressedMode, uid->data(),
                      static_cast<uint8_t>(block), data)) {
            return;
        }
        pane_.MarkWritten(block * kVicinityBlockSize, kVicinityBlockSize);
    }
    cmd.Done(UiText(kMainMessages, kTextSrf55vWriteOk));
}

void CSrf55v01pPanel::OnWriteAfi() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    const Bytes afi = afi_.GetBytes();
    if (afi.empty()) {
        cmd.InputError(UiText(kMainMessages, kTextNeedAfi));
        return;
    }
    if (!cmd.Call(reader_.ISO15693_Write_AFI, kDevice, kAddressedMode, uid->data(), afi[0])) return;
    cmd.Done(UiText(kMainMessages, kTextWriteAfiOk));
}

void CSrf55v01pPanel::OnLockAfi() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    if (!cmd.Call(reader_.ISO15693_Lock_AFI, kDevice, kAddressedMode, uid->data())) return;
    cmd.Done(UiText(kMainMessages, kTextLockAfiOk));
}
