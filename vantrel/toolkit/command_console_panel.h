// What the panels that send commands typed as hex text share: the command
// edit with its history and the COS command dialog, Send, the answer list
// with its tip, and Clear. A panel names its controls in ConsoleIds and sends
// through SendCommand with the rules of its reader function.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "vantrel/toolkit/answer_list.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/hex_text.h"
#include "vantrel/toolkit/panel_history.h"
#include "vantrel/toolkit/result_report.h"
#include "vantrel/toolkit/status_hints.h"

struct ConsoleIds {
    int command;
    int history;  // the small button that opens the COS command dialog
    int send;
    int answers;
    int clear;
};

struct SendRules {
    // Fewer bytes are refused with the "more than 5 bytes" box; with 1, an
    // empty edit ends the command without a message; with 0, an empty
    // command is sent.
    std::size_t shortest;
    // Answers must end in the two status bytes.
    bool statusWord;
    // The status text after an answer: an entry of kMainMessages.
    int done;
    // How answers carry the card's status, for their tips.
    AnswerForm form = AnswerForm::None;
};

// A command header and one length byte.
inline constexpr std::size_t kShortestApdu = 5;
// The command length travels in one byte; answers arrive in a buffer this size.
inline constexpr std::size_t kLongestCommand = 255;
inline constexpr std::size_t kAnswerBufferSize = 1024;
inline constexpr UiString kBoxCaptionLowerError{L"error", L"error"};

class CommandConsolePanel : public WithMessageMap<CommandConsolePanel, CardPanelBase> {
public:
    static std::span<const MessageEntry<CommandConsolePanel>> Messages();

    PanelHistory& History() { return history_; }

protected:
    CommandConsolePanel(int templateId, PanelContext& context, const ConsoleIds& ids, std::wstring historyFile);

    BOOL OnInitDialog() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    virtual void OnSend() = 0;
    // The command edit's bytes through `fn`(0, bytes, count, answer, length),
    // recorded in the history before the card is addressed; the answer is
    // appended to the list.
    template <typename Fn>
    void SendCommand(const Fn& fn, const SendRules& rules);

private:
    void OnClear() { answers_.Clear(); }
    void OnHistory() { history_.OpenDialog(hwnd_); }
    LRESULT OnCommandPicked(WPARAM, LPARAM lParam);
    // The bytes to send, or none when the command ends here.
    std::optional<Bytes> TakeCommand(Command& cmd, const SendRules& rules);
    // Shows the answer; a short one is reported as an error under `name`.
    void ShowAnswer(Command& cmd, std::span<const uint8_t> answer, const SendRules& rules, const wchar_t* name);

    ConsoleIds ids_;
    std::vector<MessageEntry<CommandConsolePanel>> buttons_;
    ByteTextEdit command_;
    AnswerList answers_;
    PanelHistory history_;
};

template <typename Fn>
void CommandConsolePanel::SendCommand(const Fn& fn, const SendRules& rules) {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const std::optional<Bytes> command = TakeCommand(cmd, rules);
    if (!command) return;
    std::array<uint8_t, kLongestCommand> sent{};
    std::copy(command->begin(), command->end(), sent.begin());
    std::array<uint8_t, kAnswerBufferSize> answer{};
    uint8_t length = 0;
    if (!cmd.Call(fn, kDevice, sent.data(), static_cast<uint8_t>(command->size()), answer.data(), &length)) return;
    ShowAnswer(cmd, std::span<const uint8_t>(answer.data(), length), rules, fn.Name());
}
