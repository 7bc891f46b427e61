// The pass-through panel (code 25): Set puts the reader in ISO 14443-B or
// ISO 15693 mode; Transceive sends the typed bytes unchanged as one frame
// and lists the raw answer. Sent frames go into the "\testcmdbooks.txt"
// history.
#pragma once

#include "vantrel/panels/iso14443a/pass_through_ids.h"
#include "vantrel/toolkit/command_console_panel.h"

class CPassThroughPanel : public WithMessageMap<CPassThroughPanel, CommandConsolePanel> {
public:
    explicit CPassThroughPanel(PanelContext& context);

    static std::span<const MessageEntry<CPassThroughPanel>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnSend() override;
    void OnSet();
};
