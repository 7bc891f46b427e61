#include "vantrel/panels/iso14443a/shc1102_panel.h"

#include <algorithm>

#include "vantrel/panels/iso14443a/shc1102_ids.h"
#include "vantrel/panels/iso14443a/type_a_activation.h"
#include "vantrel/toolkit/hex_text.h"
#include "vantrel/toolkit/id_range.h"

namespace {

static_assert(IdsAreConsecutive({IDC_SHC_BLOCK3, IDC_SHC_BLOCK4, IDC_SHC_BLOCK5, IDC_SHC_BLOCK6,
                                 IDC_SHC_BLOCK7, IDC_SHC_BLOCK8, IDC_SHC_BLOCK9, IDC_SHC_BLOCK10,
                                 IDC_SHC_BLOCK11, IDC_SHC_BLOCK12, IDC_SHC_BLOCK13,
                                 IDC_SHC_BLOCK14, IDC_SHC_BLOCK15}),
              "block b from 3 on is BLOCK3 + b - 3");
static_assert(IDC_SHC_BLOCK1 == IDC_SHC_BLOCK0 + 1);

constexpr int kFirstWritable = 2;
constexpr int kPasswordBlock = 8;
constexpr int kLastOpenBlock = 7;
// Antenna off, type A and a 20 ms wait, antenna on; no selection follows.
constexpr TypeAProfile kShc1102Profile{{0, 20, 0}, TypeASelection::Cascade, false};

constexpr Caption kCaptions[] = {
    {IDC_SHC_REQUEST, {L"寻卡", L"Request"}},
    {IDC_SHC_READ, {L"读卡", L"Read Card"}},
    {IDC_SHC_WRITE, {L"写卡", L"Write Block"}},
};
constexpr UiString kRequestOk{L"寻卡操作成功", L"OK"};
constexpr UiString kReadOk{L"读卡操作成功", L"OK"};
constexpr UiString kWriteOk{L"写卡操作成功", L"OK"};
constexpr UiString kConfirmPasswordChange{L"确实要修改密码吗?", L"Be sure to change key?"};
constexpr UiString kNeedPassword{L"请输入密码", L"Input key please"};

constexpr int BlockId(int block) {
    if (block == 2) return IDC_SHC_BLOCK2;
    return block < 2 ? IDC_SHC_BLOCK0 + block : IDC_SHC_BLOCK3 + block - 3;
}

}  // namespace

CShc1102Panel::CShc1102Panel(PanelContext& context) : WithMessageMap(IDD_SHC1102, context) {
    UseCaptions(kCaptions);
}

std::span<const MessageEntry<CShc1102Panel>> CShc1102Panel::Messages() {
    using P = CShc1102Panel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_SHC_REQUEST, &P::OnRequest),
        OnCommand(IDC_SHC_READ, &P::OnRead),
        OnCommand(IDC_SHC_WRITE, &P::OnWrite),
    };
    return map;
}

BOOL CShc1102Panel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    ListAt(IDC_SHC_BLOCK_LIST).Fill(kFirstWritable, kBlocks - 1);
    BindItem(IDC_SHC_BLOCK_LIST);
    BindItem(IDC_SHC_BLOCK_LABEL);
    Bind(tagType_, IDC_SHC_TAG_TYPE);
    tagType_.SetByteLimit(2);
    Bind(password_, IDC_SHC_PASSWORD);
    password_.SetByteLimit(kBlockSize);
    for (int block = 0; block < kBlocks; ++block) {
        ByteTextEdit& edit = blocks_[static_cast<std::size_t>(block)];
        Bind(edit, BlockId(block));
        edit.SetByteLimit(kBlockSize);
        UseHexFont(edit);
    }
    ReplaceGroupBoxes({IDC_SHC_BLOCK_FRAME});
    SetContentHeightBelow(IDC_SHC_BLOCK_FRAME);
    return TRUE;
}

void CShc1102Panel::ClearBlocks() {
    for (ByteTextEdit& edit : blocks_) edit.Clear();
}

bool CShc1102Panel::Prelude(Command& cmd) {
    if (!ResetField(cmd, kShc1102Profile)) return false;
    uint16_t tagType = 0;
    if (!cmd.Call(reader_.rf_request, kDevice, kRequestAll, &tagType)) return false;
    const uint8_t bytes[2] = {static_cast<uint8_t>(tagType & 0xFF), static_cast<uint8_t>(tagType >> 8)};
    tagType_.SetBytes(bytes, 2);
    return true;
}

bool CShc1102Panel::ReadBlocks(Command& cmd, int first, int last, EditTexts& shown) {
    for (int block = first; block <= last; ++block) {
        uint8_t data[1024] = {};
        uint8_t length = 0;
        // The tag's refusals are logged only.
        if (cmd.CallQuietly(reader_.rf_Shc1102_Read, kDevice, static_cast<uint8_t>(block), data,
                            &length) != 0) {
            return false;
        }
        if (length != kBlockSize) {
            // A short or long answer is not a block: nothing of it is shown.
            cmd.Failed(FormatText(UiText(kMainMessages, kTextReadBlockError), block));
            return false;
        }
        shown.Set(blocks_[static_cast<std::size_t>(block)].Handle(), BytesToHex(data, length));
    }
    return true;
}

void CShc1102Panel::OnRequest() {
    ClearBlocks();
    tagType_.Clear();
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!Prelude(cmd)) return;
    cmd.Done(UiText(kRequestOk));
}

void CShc1102Panel::OnRead() {
    Command cmd(context_, hwnd_);
    // The blocks not read end up empty.
    EditTexts shown(blocks_);
    if (!cmd.RequireConnection()) return;
    if (!Prelude(cmd)) return;
    if (!ReadBlocks(cmd, 0, kLastOpenBlock, shown)) return;
    const Bytes password = password_.GetBytes();
    // Without a password only the open blocks are shown.
    if (password.size() != kBlockSize) return;
    if (cmd.CallQuietly(reader_.rf_Shc1102_Auth, kDevice, password.data()) != 0) return;
    if (!ReadBlocks(cmd, kPasswordBlock, kBlocks - 1, shown)) return;
    cmd.Done(UiText(kReadOk));
}

void CShc1102Panel::OnWrite() {
    const int block = ListAt(IDC_SHC_BLOCK_LIST).Selected();
    if (block < kFirstWritable || block >= kBlocks) return;
    Command cmd(context_, hwnd_);
    if (block == kPasswordBlock &&
        context_.services.ShowMessageBox(hwnd_, UiText(kConfirmPasswordChange),
                                         UiText(kBoxCaptionWarning),
                                         MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    if (!cmd.RequireConnection()) return;
    if (!Prelude(cmd)) return;
    uint8_t data[kBlockSize] = {};
    const Bytes typed = blocks_[static_cast<std::size_t>(block)].GetBytes();
    std::copy_n(typed.begin(), std::min<std::size_t>(typed.size(), kBlockSize), data);
    const Bytes password = password_.GetBytes();
    if (password.size() != kBlockSize) {
        cmd.InputError(UiText(kNeedPassword));
        return;
    }
    if (cmd.CallQuietly(reader_.rf_Shc1102_Auth, kDevice, password.data()) != 0) return;
    if (cmd.CallQuietly(reader_.rf_Shc1102_Write, kDevice, static_cast<uint8_t>(block), data) != 0) {
        return;
    }
    cmd.Done(UiText(kWriteOk));
}
