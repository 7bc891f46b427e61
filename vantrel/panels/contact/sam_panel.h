// The SAM panel (code 11): a DES calculator that enciphers and deciphers
// through the reader library without a connection, and the SAM console:
// Reset starts the SAM at the chosen speed and shows its answer to reset,
// Send passes a command and lists the answer; sent commands go into the
// "\samcosbooks.txt" history.
#pragma once

#include "vantrel/panels/contact/sam_ids.h"
#include "vantrel/toolkit/command_console_panel.h"

class CSamPanel : public WithMessageMap<CSamPanel, CommandConsolePanel> {
public:
    CSamPanel(PanelContext& context, int32_t code = 11, int templateId = IDD_SAM);

    static std::span<const MessageEntry<CSamPanel>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnSend() override;
    void OnReset();
    void OnEncrypt() { RunDes(true); }
    void OnDecrypt() { RunDes(false); }
    void RunDes(bool encipher);

    ByteTextEdit key1_;
    ByteTextEdit key2_;
    ByteTextEdit input_;
    ByteTextEdit output_;
    ByteTextEdit info_;
};
