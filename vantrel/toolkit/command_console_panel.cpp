#include "vantrel/toolkit/command_console_panel.h"

#include <utility>

#include "vantrel/toolkit/cos_command_dialog.h"

namespace {

constexpr std::size_t kStatusWordSize = 2;
constexpr int kAnswerItemHeight = 18;

constexpr UiString kCommandTooLong{L"cos命令不得多于255字节!", L"Cos command must not be more than 255 bytes!"};

}  // namespace

CommandConsolePanel::CommandConsolePanel(int templateId, PanelContext& context, const ConsoleIds& ids,
                                         std::wstring historyFile)
    : WithMessageMap(templateId, context), ids_(ids), history_(std::move(historyFile)) {
    using P = CommandConsolePanel;
    buttons_ = {
        OnCommand<P>(ids_.send, &P::OnSend),
        OnCommand<P>(ids_.clear, &P::OnClear),
        OnCommand<P>(ids_.history, &P::OnHistory),
    };
}

std::span<const MessageEntry<CommandConsolePanel>> CommandConsolePanel::Messages() {
    static const MessageEntry<CommandConsolePanel> map[] = {
        OnMessage(kCommandPicked, &CommandConsolePanel::OnCommandPicked),
    };
    return map;
}

bool CommandConsolePanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Saved before the window goes; the destruction itself runs as usual.
    if (message == WM_DESTROY) history_.Save();
    if (DispatchMessageMap<CommandConsolePanel>(buttons_, this, message, wParam, lParam, result)) return true;
    return WithMessageMap::HandleMessage(message, wParam, lParam, result);
}

BOOL CommandConsolePanel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    Bind(command_, ids_.command);
    UseHexFont(command_);
    BindItem(ids_.history);
    BindItem(ids_.send);
    BindItem(ids_.clear);
    history_.Load(context_.services.ProgramFolder());
    Bind(answers_, ids_.answers);
    answers_.SetItemHeight(kAnswerItemHeight);
    answers_.EnableTip();
    UseHexFont(answers_);
    return TRUE;
}

std::optional<Bytes> CommandConsolePanel::TakeCommand(Command& cmd, const SendRules& rules) {
    Bytes command = command_.GetBytes();
    if (command.empty() && rules.shortest == 1) return std::nullopt;
    if (command.size() < rules.shortest) {
        cmd.InputError(UiText(kMainMessages, kTextCosCommandTooShort), kBoxCaptionLowerError);
        return std::nullopt;
    }
    if (command.size() > kLongestCommand) {
        cmd.InputError(UiText(kCommandTooLong), kBoxCaptionLowerError);
        return std::nullopt;
    }
    // Recorded before the card answers, so a failing command is kept too.
    history_.Record(command);
    return command;
}

void CommandConsolePanel::ShowAnswer(Command& cmd, std::span<const uint8_t> answer, const SendRules& rules,
                                     const wchar_t* name) {
    if (rules.statusWord && answer.size() < kStatusWordSize) {
        cmd.FailedAnswer(name);
        return;
    }
    answers_.Append(BytesToHex(answer), AnswerHint(rules.form, answer));
    cmd.Done(UiText(kMainMessages, rules.done));
}

LRESULT CommandConsolePanel::OnCommandPicked(WPARAM, LPARAM lParam) {
    PutPickedCommand(command_, lParam);
    return 0;
}
