// The panel of contact processor cards (code 12): Reset powers the card in
// the contact slot and shows its answer to reset; Send passes a command to
// it and lists the answer; sent commands go into the "\cpubooks.txt" history.
#pragma once

#include "vantrel/panels/contact/cpu_card_ids.h"
#include "vantrel/toolkit/command_console_panel.h"

class CCpuCardPanel : public WithMessageMap<CCpuCardPanel, CommandConsolePanel> {
public:
    explicit CCpuCardPanel(PanelContext& context);

    static std::span<const MessageEntry<CCpuCardPanel>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnSend() override;
    void OnReset();

    ByteTextEdit info_;
};
