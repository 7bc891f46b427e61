#include "vantrel/panels/iso14443a/tcl_panel.h"

#include <array>

#include "vantrel/panels/iso14443a/type_a_activation.h"
#include "vantrel/toolkit/first_choice.h"

namespace {

constexpr ConsoleIds kIds{IDC_TCL_COMMAND, IDC_TCL_HISTORY, IDC_TCL_SEND, IDC_TCL_ANSWERS, IDC_TCL_CLEAR};
constexpr int kResetAttempts = 3;
constexpr uint8_t kAtqbMode = 0;

// No wait after the antenna comes back on: the reset call follows at once.
constexpr TypeAProfile kTclProfile{{20, 20, 0}, TypeASelection::Cascade, false};

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
    : WithMessageMap(templateId, context, kIds, L"\\cosbooks.txt"), code_(code) {
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
    };
    return map;
}

BOOL CTclPanel::OnInitDialog() {
    CommandConsolePanel::OnInitDialog();
    for (auto [edit, id] : {std::pair{&csn_, IDC_TCL_CSN}, std::pair{&pupi_, IDC_TCL_PUPI},
                            std::pair{&info_, IDC_TCL_RST_INFO}}) {
        Bind(*edit, id);
        UseHexFont(*edit);
    }
    for (int id : {IDC_TCL_COMMAND_LABEL, IDC_TCL_CSN_LABEL, IDC_TCL_RESET, IDC_TCL_RST_INFO_LABEL,
                   IDC_TCL_ANSWER_LABEL}) {
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
    std::array<uint8_t, kAnswerBufferSize> answer{};
    uint8_t length = 0;
    if (!cmd.Call(fn, kDevice, mode, answer.data(), &length)) return false;
    const auto fields = SplitResetAnswer(call, std::span<const uint8_t>(answer.data(), length));
    if (!fields) {
        cmd.FailedAnswer(fn);
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

// DESFire takes commands of any length, even none.
void CTclPanel::OnSend() {
    SendCommand(reader_.rf_cos_command, {code_ == kCodeDesfire ? 0 : kShortestApdu, false, kTextSendOk,
                                         code_ == kCodeDesfire ? AnswerForm::DesfireNative : AnswerForm::StatusWord});
}
