#include "vantrel/panels/iso14443b/st_tag_panel.h"

#include <array>

#include "vantrel/toolkit/field_reset.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr int kSearchAttempts = 2;
constexpr uint8_t kStMode = 's';
constexpr FieldWaits kFieldWaits{0, 10, 0};
constexpr std::size_t kAnswerSize = 256;

}  // namespace

std::optional<uint8_t> SearchStTag(Command& cmd, ReaderLibrary& reader) {
    for (int attempt = 0; attempt < kSearchAttempts; ++attempt) {
        uint8_t chipId = 0;
        if (ResetField(cmd, kFieldWaits, kStMode) && cmd.Call(reader.rf_st_select, kDevice, &chipId)) return chipId;
    }
    return std::nullopt;
}

StTagPanel::StTagPanel(int templateId, PanelContext& context, const StTagSetup& setup)
    : WithMessageMap(templateId, context), setup_(setup) {
    using P = StTagPanel;
    buttons_ = {
        OnCommand<P>(setup_.request, &P::OnRequest),
        OnCommand<P>(setup_.read, &P::OnRead),
        OnCommand<P>(setup_.write, &P::OnWrite),
        OnCommand<P>(setup_.lock, &P::OnLock),
    };
    UseCaptions(setup_.captions);
}

bool StTagPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (DispatchMessageMap<StTagPanel>(buttons_, this, message, wParam, lParam, result)) return true;
    return WithMessageMap::HandleMessage(message, wParam, lParam, result);
}

BOOL StTagPanel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    SetUpHexEdit(chipId_, setup_.chipId, 0);
    SetUpHexEdit(lockReg_, setup_.lockReg, 1);
    for (int id : {setup_.request, setup_.read, setup_.write, setup_.lock}) BindItem(id);
    NumberList blockList;
    Bind(blockList, setup_.blockList);
    blockList.Fill(setup_.firstListed, setup_.lastListed);
    return TRUE;
}

void StTagPanel::SetUpHexEdit(ByteTextEdit& edit, int id, std::size_t bytes) {
    Bind(edit, id);
    if (bytes > 0) edit.SetByteLimit(bytes);
    UseHexFont(edit);
}

void StTagPanel::OnRequest() {
    chipId_.Clear();
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto chipId = SearchStTag(cmd, reader_);
    if (!chipId) return;
    ShowBlocks({});
    chipId_.SetBytes(&*chipId, 1);
    cmd.Done(UiText(kMainMessages, kTextFindCardOk));
}

void StTagPanel::OnRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    // The blocks not read end up empty.
    std::vector<std::wstring> shown;
    shown.reserve(static_cast<std::size_t>(setup_.blockCount));
    const BlockReadFunction& read = reader_.*setup_.readBlock;
    for (int block = 0; block < setup_.blockCount; ++block) {
        std::array<uint8_t, kAnswerSize> answer{};
        uint8_t length = 0;
        const int32_t status = cmd.CallQuietly(read, kDevice, static_cast<uint8_t>(block), answer.data(), &length);
        if (status != 0 || length != setup_.blockSize) {
            ShowBlocks(shown);
            const std::wstring text = FormatText(UiText(kMainMessages, kTextReadBlockError), block);
            // A short answer to a successful call is still a failed read.
            if (status != 0) {
                cmd.Failed(status, text.c_str());
            } else {
                cmd.Failed(text);
            }
            return;
        }
        shown.push_back(BytesToHex(answer.data(), length));
    }
    ShowBlocks(shown);
    cmd.Done(UiText(kMainMessages, kTextReadOk));
}

void StTagPanel::OnWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const int block = ListAt(setup_.blockList).Selected();
    if (block < 0 || block >= setup_.blockCount) return;
    const Bytes data = BlockBytes(block);
    if (data.size() != setup_.blockSize) return;
    if (!cmd.Call(reader_.*setup_.writeBlock, kDevice, static_cast<uint8_t>(block), data.data())) return;
    cmd.Done(UiText(kMainMessages, kTextWriteOk));
}

void StTagPanel::OnLock() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const Bytes value = lockReg_.GetBytes();
    if (value.size() != 1) return;
    if (context_.services.ShowMessageBox(hwnd_, UiText(kMainMessages, kTextConfirmLock),
                                         UiText(kBoxCaptionWarning), MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    if (!cmd.Call(reader_.*setup_.writeLock, kDevice, value[0])) return;
    cmd.Done(UiText(kMainMessages, kTextLockBlockOk));
}
