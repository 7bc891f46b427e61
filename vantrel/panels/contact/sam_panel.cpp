#include "vantrel/panels/contact/sam_panel.h"

#include <array>

#include "vantrel/framework/common_controls.h"
#include "vantrel/panels/contact/des_input.h"
#include "vantrel/panels/contact/reset_answer.h"
#include "vantrel/toolkit/first_choice.h"

namespace {

constexpr ConsoleIds kIds{IDC_SAM_COMMAND, IDC_SAM_HISTORY, IDC_SAM_SEND, IDC_SAM_ANSWERS, IDC_SAM_CLEAR};

constexpr uint8_t kBaud9600 = 0;
constexpr uint8_t kBaud38400 = 1;
constexpr std::size_t kKeyDigits = 16;
constexpr std::size_t kDataDigits = 128;
constexpr std::size_t kDesOutputSize = 256;

constexpr UiString kEncrypt{L"加密", L"Encrypt"};
constexpr UiString kDecrypt{L"解密", L"Decrypt"};

constexpr Caption kCaptions[] = {
    {IDC_SAM_DES_FRAME, {L"DES计算", L"DES"}},
    {IDC_SAM_KEY_LABEL, {L"密钥", L"Key"}},
    {IDC_SAM_INPUT_LABEL, {L"数据", L"InPut"}},
    {IDC_SAM_OUTPUT_LABEL, {L"结果", L"OutPut"}},
    {IDC_SAM_ENCRYPT, kEncrypt},
    {IDC_SAM_DECRYPT, kDecrypt},
    {IDC_SAM_CONSOLE_FRAME, {L"SAM卡操作", L"SAM Card"}},
    {IDC_SAM_BAUD_LABEL, {L"SAM速率", L"SAM Baud"}},
    {IDC_SAM_COMMAND_LABEL, {L"COS命令", L"COS Command"}},
    {IDC_SAM_SEND, {L"发送", L"Send"}},
    {IDC_SAM_RESET, {L"复位", L"Reset"}},
    {IDC_SAM_RST_INFO_LABEL, {L"复位信息", L"RstInfo"}},
    {IDC_SAM_ANSWER_LABEL, {L"返回结果", L"Answer"}},
    {IDC_SAM_CLEAR, {L"清除结果", L"Clear"}},
};

}  // namespace

CSamPanel::CSamPanel(PanelContext& context, int32_t, int templateId)
    : WithMessageMap(templateId, context, kIds, L"\\samcosbooks.txt") {
    UseCaptions(kCaptions);
}

std::span<const MessageEntry<CSamPanel>> CSamPanel::Messages() {
    using P = CSamPanel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_SAM_RESET, &P::OnReset),
        OnCommand(IDC_SAM_ENCRYPT, &P::OnEncrypt),
        OnCommand(IDC_SAM_DECRYPT, &P::OnDecrypt),
    };
    return map;
}

BOOL CSamPanel::OnInitDialog() {
    CommandConsolePanel::OnInitDialog();
    for (auto [edit, id] : {std::pair{&key1_, IDC_SAM_KEY1}, std::pair{&key2_, IDC_SAM_KEY2},
                            std::pair{&input_, IDC_SAM_INPUT}, std::pair{&output_, IDC_SAM_OUTPUT},
                            std::pair{&info_, IDC_SAM_RST_INFO}}) {
        Bind(*edit, id);
        UseHexFont(*edit);
    }
    for (int id : {IDC_SAM_KEY_LABEL, IDC_SAM_INPUT_LABEL, IDC_SAM_OUTPUT_LABEL, IDC_SAM_ENCRYPT, IDC_SAM_DECRYPT,
                   IDC_SAM_BAUD_LABEL, IDC_SAM_BAUD_9600, IDC_SAM_BAUD_38400, IDC_SAM_COMMAND_LABEL, IDC_SAM_RESET,
                   IDC_SAM_RST_INFO_LABEL, IDC_SAM_ANSWER_LABEL}) {
        BindItem(id);
    }
    ReplaceGroupBoxes({IDC_SAM_DES_FRAME, IDC_SAM_CONSOLE_FRAME});
    SetContentHeightBelow(IDC_SAM_CONSOLE_FRAME);
    CheckFirstChoice(Item(IDC_SAM_BAUD_9600));
    EditControl(key1_).LimitText(kKeyDigits);
    EditControl(key2_).LimitText(kKeyDigits);
    EditControl(input_).LimitText(kDataDigits);
    return TRUE;
}

// The calculator works without a connection and leaves the log alone.
void CSamPanel::RunDes(bool encipher) {
    Command cmd(context_, hwnd_, false);
    const DesInput input = CheckDesInput(key1_.Text(), key2_.Text(), input_.Text());
    if (input.error != DesInputError::kNone) {
        const int text = input.error == DesInputError::kKey ? kTextNeedKey8Or16Bytes : kTextDataNotMultipleOf8;
        cmd.InputError(UiText(kMainMessages, text), kBoxCaptionLowerError);
        return;
    }
    std::array<uint8_t, kDesOutputSize> out{};
    const auto& fn = encipher ? reader_.des_encipher : reader_.des_decipher;
    const int32_t status = cmd.CallUnreported(fn, out.data(), input.data.data(), static_cast<uint8_t>(input.data.size()),
                                              input.key.data(), static_cast<uint8_t>(input.key.size()));
    if (status != 0) {
        // The output would be whatever the buffer held: keep the old one.
        cmd.Failed(status, UiText(encipher ? kEncrypt : kDecrypt));
        return;
    }
    output_.SetBytes(out.data(), input.data.size());
}

void CSamPanel::OnReset() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    info_.Clear();
    const uint8_t baud = IsChecked(IDC_SAM_BAUD_9600) ? kBaud9600 : kBaud38400;
    if (!cmd.Call(reader_.rf_init_sam, kDevice, baud)) return;
    if (ShowResetAnswer(cmd, reader_.rf_sam_rst, info_)) cmd.Done(UiText(kMainMessages, kTextResetOk));
}

void CSamPanel::OnSend() { SendCommand(reader_.rf_sam_cos, {kShortestApdu, true, kTextSendOk, AnswerForm::StatusWord}); }
