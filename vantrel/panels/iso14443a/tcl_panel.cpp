#include "vantrel/panels/iso14443a/tcl_panel.h"

#include <algorithm>
#include <array>

#include "vantrel/panels/iso14443a/type_a_activation.h"
#include "vantrel/toolkit/cos_command_dialog.h"
#include "vantrel/toolkit/first_choice.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr int32_t kDevice = 0;
constexpr std::size_t kAnswerSize = 1024;
constexpr int kResetAttempts = 3;
constexpr uint8_t kAtqbMode = 0;
// Commands shorter than this are refused, except on DESFire.
constexpr std::size_t kShortestCommand = 5;
// The command length travels in one byte.
constexpr std::size_t kLongestCommand = 255;
constexpr int kAnswerItemHeight = 18;

// No wait after the antenna comes back on: the reset call follows at once.
constexpr TypeAProfile kTclProfile{{20, 20, 0}, TypeASelection::Cascade, false};

constexpr UiString kBoxCaptionLowerError{L"error", L"error"};
constexpr UiString kCommandTooLong{L"cos命令不得多于255字节!",
                                   L"Cos command must not be more than 255 bytes!"};

constexpr Caption kCaptions[] = {
    {IDC_TCL_COMMAND_LABEL, {L"COS命令", L"Command"}},
    {IDC_TCL_SEND, {L"发送", L"Send"}},
    {IDC_TCL_INFO_FRAME, {L"数据信息", L"Information"}},
    {IDC_TCL_RST_INFO_LABEL, {L"复位信息", L"RstInfo"}},
    {IDC_TCL_ANSWER_LABEL, {L"返回结果", L"Answer"}},
    {IDC_TCL_CLEAR, {L"清除结果", L"Clear"}},
    {IDC_TCL_RESET_IDLE, {L"复位.IDL", L"RstIDL"}},
    {IDC_TCL_DESELECT, {L"Deselect", L"Deselect"}},
};
// Pro(X) resets all cards here and idle cards with RstIDL.
constexpr Caption kProResetCaption[] = {{IDC_TCL_RESET, {L"复位.ALL", L"RstAll"}}};
constexpr Caption kResetCaption[] = {{IDC_TCL_RESET, {L"复位", L"Reset"}}};

}  // namespace

CTclPanel::CTclPanel(PanelContext& context, int32_t code, int templateId)
    : WithMessageMap(templateId, context), code_(code), history_(L"\\cosbooks.txt") {
    UseCaptions(kCaptions);
    UseCaptions(code_ == kCodeMifarePro ? std::span<const Caption>(kProResetCaption)
                                        : std::span<const Caption>(kResetCaption));
}

std::span<const MessageEntry<CTclPanel>> CTclPanel::Messages() {
    using P = CTclPanel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_TCL_RESET, &P::OnReset),
        OnCommand(IDC_TCL_RESET_IDLE, &P::OnResetIdle),
        OnCommand(IDC_TCL_DESELECT, &P::OnDeselect),
        OnCommand(IDC_TCL_SEND, &P::OnSend),
        OnCommand(IDC_TCL_CLEAR, &P::OnClear),
        OnCommand(IDC_TCL_HISTORY, &P::OnHistory),
        OnMessage(kCommandPicked, &P::OnCommandPicked),
    };
    return map;
}

bool CTclPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Saved before the window goes; the destruction itself runs as usual.
    if (message == WM_DESTROY) history_.Save();
    return WithMessageMap::HandleMessage(message, wParam, lParam, result);
}

BOOL CTclPanel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    for (auto [edit, id] : {std::pair{&command_, IDC_TCL_COMMAND}, std::pair{&csn_, IDC_TCL_CSN},
                            std::pair{&pupi_, IDC_TCL_PUPI}, std::pair{&info_, IDC_TCL_RST_INFO}}) {
        Bind(*edit, id);
        UseHexFont(*edit);
    }
    for (int id : {IDC_TCL_COMMAND_LABEL, IDC_TCL_CSN_LABEL, IDC_TCL_HISTORY, IDC_TCL_SEND, IDC_TCL_RESET,
                   IDC_TCL_RST_INFO_LABEL, IDC_TCL_ANSWER_LABEL, IDC_TCL_CLEAR}) {
        BindItem(id);
    }

    const Window resetIdle(BindItem(IDC_TCL_RESET_IDLE));
    const Window deselect(BindItem(IDC_TCL_DESELECT));
    if (code_ != kCodeMifarePro) {
        resetIdle.Show(SW_HIDE);
        deselect.Show(SW_HIDE);
    }
    Window(BindItem(IDC_TCL_TYPE_A)).Show(SW_HIDE);
    Window(BindItem(IDC_TCL_TYPE_B)).Show(SW_HIDE);
    if (code_ == kCodeSmartCard) {
        CheckFirstChoice(Item(IDC_TCL_TYPE_B));
        PlacePupiAtCsn();
    } else {
        CheckFirstChoice(Item(IDC_TCL_TYPE_A));
        Window(BindItem(IDC_TCL_PUPI_LABEL)).Show(SW_HIDE);
        pupi_.Show(SW_HIDE);
    }

    history_.Load(context_.services.ProgramFolder());

    Bind(answers_, IDC_TCL_ANSWERS);
    answers_.SetItemHeight(kAnswerItemHeight);
    answers_.EnableTip();
    UseHexFont(answers_);

    ReplaceGroupBoxes({IDC_TCL_INFO_FRAME});
    SetContentHeightBelow(IDC_TCL_INFO_FRAME);
    return TRUE;
}

void CTclPanel::PlacePupiAtCsn() {
    Window csnLabel(Item(IDC_TCL_CSN_LABEL));
    Window pupiLabel(BindItem(IDC_TCL_PUPI_LABEL));
    csnLabel.Show(SW_HIDE);
    csn_.Show(SW_HIDE);
    pupiLabel.Move(csnLabel.RectIn(hwnd_));
    pupi_.Move(csn_.RectIn(hwnd_));
}

void CTclPanel::ClearCardFields() {
    csn_.Clear();
    pupi_.Clear();
    info_.Clear();
}

void CTclPanel::OnReset() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    ClearCardFields();
    const uint8_t fieldType = IsChecked(IDC_TCL_TYPE_A) ? kFieldTypeA : kFieldTypeB;
    if (!ResetField(cmd, kTclProfile, fieldType)) return;
    for (int attempt = 0; attempt < kResetAttempts; ++attempt) {
        if (ResetOnce(cmd, fieldType)) {
            cmd.Done(UiText(kMainMessages, kTextResetOk));
            return;
        }
    }
}

bool CTclPanel::ResetOnce(Command& cmd, uint8_t fieldType) {
    if (fieldType == kFieldTypeB) {
        pupi_.Clear();
        csn_.Clear();
        return CallReset(cmd, reader_.rf_atqb, kAtqbMode, ResetCall::Atqb);
    }
    csn_.Clear();
    info_.Clear();
    if (code_ == kCodeDesfire) {
        return CallReset(cmd, reader_.rf_DESFire_rst, kRequestAll, ResetCall::DESFire);
    }
    return CallReset(cmd, reader_.rf_typea_rst, kRequestAll, ResetCall::TypeA);
}

template <typename Fn>
bool CTclPanel::CallReset(Command& cmd, const Fn& fn, uint8_t mode, ResetCall call) {
    std::array<uint8_t, kAnswerSize> answer{};
    uint8_t length = 0;
    if (!cmd.Call(fn, kDevice, mode, answer.data(), &length)) return false;
    const auto fields = SplitResetAnswer(call, std::span<const uint8_t>(answer.data(), length));
    if (!fields) {
        // The call succeeded, so its status would read as success.
        cmd.Failed(std::wstring(UiText(kAnswerLengthError)) +
                   UiText(kMainMessages, kTextFunctionSeparator) + fn.Name());
        return false;
    }
    if (call == ResetCall::Atqb) {
        pupi_.SetBytes(fields->pupi);
    } else {
        csn_.SetBytes(fields->csn);
    }
    info_.SetBytes(fields->info);
    return true;
}

void CTclPanel::OnResetIdle() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    ClearCardFields();
    if (CallReset(cmd, reader_.rf_typea_rst, kRequestIdle, ResetCall::TypeA)) {
        cmd.Done(UiText(kMainMessages, kTextSuccess));
    }
}

void CTclPanel::OnDeselect() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (cmd.Call(reader_.rf_cl_deselect, kDevice)) cmd.Done(UiText(kMainMessages, kTextSuccess));
}

void CTclPanel::OnSend() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const Bytes command = command_.GetBytes();
    if (code_ != kCodeDesfire && command.size() < kShortestCommand) {
        cmd.InputError(UiText(kMainMessages, kTextCosCommandTooShort), kBoxCaptionLowerError);
        return;
    }
    if (command.size() > kLongestCommand) {
        cmd.InputError(UiText(kCommandTooLong), kBoxCaptionLowerError);
        return;
    }
    // Recorded before the card answers, so a failing command is kept too.
    history_.Record(command);

    std::array<uint8_t, kLongestCommand> sent{};
    std::copy(command.begin(), command.end(), sent.begin());
    std::array<uint8_t, kAnswerSize> answer{};
    uint8_t length = 0;
    if (!cmd.Call(reader_.rf_cos_command, kDevice, sent.data(), static_cast<uint8_t>(command.size()),
                  answer.data(), &length)) {
        return;
    }
    answers_.Append(BytesToHex(answer.data(), length));
    cmd.Done(UiText(kMainMessages, kTextSendOk));
}

LRESULT CTclPanel::OnCommandPicked(WPARAM, LPARAM lParam) {
    PutPickedCommand(command_, lParam);
    return 0;
}
