#include "vantrel/panels/iso14443a/pass_through_panel.h"
#include "vantrel/toolkit/first_choice.h"

namespace {

constexpr ConsoleIds kIds{IDC_PASS_DATA, IDC_PASS_HISTORY, IDC_PASS_TRANSCEIVE, IDC_PASS_ANSWERS, IDC_PASS_CLEAR};

constexpr uint8_t kModeTypeB = 'B';
constexpr uint8_t kModeIso15693 = '1';

constexpr Caption kCaptions[] = {
    {IDC_PASS_SET, {L"设置", L"Set"}},
    {IDC_PASS_DATA_LABEL, {L"发送数据", L"Sending data"}},
    {IDC_PASS_TRANSCEIVE, {L"发送", L"Transceive"}},
    {IDC_PASS_ANSWER_LABEL, {L"返回结果", L"Receiving data"}},
    {IDC_PASS_CLEAR, {L"清除结果", L"Clear"}},
};

}  // namespace

CPassThroughPanel::CPassThroughPanel(PanelContext& context)
    : WithMessageMap(IDD_PASS_THROUGH, context, kIds, L"\\testcmdbooks.txt") {
    UseCaptions(kCaptions);
}

std::span<const MessageEntry<CPassThroughPanel>> CPassThroughPanel::Messages() {
    static const MessageEntry<CPassThroughPanel> map[] = {
        OnCommand(IDC_PASS_SET, &CPassThroughPanel::OnSet),
    };
    return map;
}

BOOL CPassThroughPanel::OnInitDialog() {
    CommandConsolePanel::OnInitDialog();
    for (int id : {IDC_PASS_ISO14443B, IDC_PASS_ISO15693, IDC_PASS_SET, IDC_PASS_DATA_LABEL, IDC_PASS_ANSWER_LABEL}) {
        BindItem(id);
    }
    CheckFirstChoice(Item(IDC_PASS_ISO14443B));
    SetContentHeightToClient();
    return TRUE;
}

void CPassThroughPanel::OnSet() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const uint8_t mode = IsChecked(IDC_PASS_ISO14443B) ? kModeTypeB : kModeIso15693;
    if (cmd.Call(reader_.rf_init_type, kDevice, mode)) cmd.Done(UiText(kMainMessages, kTextSuccess));
}

// Raw frames have no length rule and their answers no status bytes.
void CPassThroughPanel::OnSend() { SendCommand(reader_.rf_transceive1, {1, false, kTextSuccess}); }
