// The COS command dialog: a panel's command history, oldest first, from which
// a double-click hands one command back to the panel and closes the dialog.
#pragma once

#include <windows.h>

#include <span>

#include "vantrel/framework/dialog.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/toolkit/answer_list.h"
#include "vantrel/toolkit/command_history.h"

// Sent to the panel, synchronously, when a command is picked: wParam 0,
// lParam the command's text, which the panel may change in place.
inline constexpr UINT kCommandPicked = 0x465;

class CCosCommandDialog : public WithMessageMap<CCosCommandDialog, Dialog> {
public:
    CCosCommandDialog(CommandHistory& history, HWND panel);

    static std::span<const MessageEntry<CCosCommandDialog>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnClear();
    void OnExit() { Close(); }
    LRESULT OnItemPicked(WPARAM wParam, LPARAM lParam);
    void Close();

    CommandHistory& history_;
    HWND panel_;
    AnswerList list_;
};
