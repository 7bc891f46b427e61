#include "vantrel/panels/contact/cpu_card_panel.h"

#include "vantrel/panels/contact/reset_answer.h"

namespace {

constexpr ConsoleIds kIds{IDC_CPU_COMMAND, IDC_CPU_HISTORY, IDC_CPU_SEND, IDC_CPU_ANSWERS, IDC_CPU_CLEAR};

constexpr Caption kCaptions[] = {
    {IDC_CPU_FRAME, {L"CPU卡操作", L"Smart Card"}},
    {IDC_CPU_COMMAND_LABEL, {L"COS命令", L"COS Command"}},
    {IDC_CPU_SEND, {L"发送", L"Send"}},
    {IDC_CPU_RESET, {L"复位", L"Reset"}},
    {IDC_CPU_RST_INFO_LABEL, {L"复位信息", L"RstInfo"}},
    {IDC_CPU_ANSWER_LABEL, {L"返回结果", L"Answer"}},
    {IDC_CPU_CLEAR, {L"清除结果", L"Clear"}},
};

}  // namespace

CCpuCardPanel::CCpuCardPanel(PanelContext& context)
    : WithMessageMap(IDD_CPU_CARD, context, kIds, L"\\cpubooks.txt") {
    UseCaptions(kCaptions);
}

std::span<const MessageEntry<CCpuCardPanel>> CCpuCardPanel::Messages() {
    static const MessageEntry<CCpuCardPanel> map[] = {
        OnCommand(IDC_CPU_RESET, &CCpuCardPanel::OnReset),
    };
    return map;
}

BOOL CCpuCardPanel::OnInitDialog() {
    CommandConsolePanel::OnInitDialog();
    Bind(info_, IDC_CPU_RST_INFO);
    UseHexFont(info_);
    for (int id : {IDC_CPU_COMMAND_LABEL, IDC_CPU_RESET, IDC_CPU_RST_INFO_LABEL, IDC_CPU_ANSWER_LABEL}) BindItem(id);
    ReplaceGroupBoxes({IDC_CPU_FRAME});
    SetContentHeightBelow(IDC_CPU_FRAME);
    return TRUE;
}

void CCpuCardPanel::OnReset() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    info_.Clear();
    if (!cmd.Call(reader_.OpenCard, kDevice)) return;
    if (ShowResetAnswer(cmd, reader_.smartcard_rst, info_)) cmd.Done(UiText(kMainMessages, kTextResetOk));
}

void CCpuCardPanel::OnSend() {
    SendCommand(reader_.smartcard_cos, {kShortestApdu, true, kTextSuccess, AnswerForm::StatusWord});
}
