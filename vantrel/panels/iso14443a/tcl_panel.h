// The T=CL panel for ISO 14443-4 processor cards: Mifare Pro(X) (code 6), type
// B smart cards (code 7) and DESFire (code 24). Reset shows the card's serial
// number and reset answer; Send passes a command to the card and lists the
// answer; sent commands go into the "\cosbooks.txt" history.
#pragma once

#include <cstdint>
#include <span>

#include "vantrel/panels/iso14443a/tcl_ids.h"
#include "vantrel/panels/iso14443a/tcl_reset_answer.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/command_console_panel.h"
#include "vantrel/toolkit/result_report.h"
#include "vantrel/toolkit/tcl_card_codes.h"

class CTclPanel : public WithMessageMap<CTclPanel, CommandConsolePanel> {
public:
    CTclPanel(PanelContext& context, int32_t code, int templateId = IDD_TCL);

    static std::span<const MessageEntry<CTclPanel>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnReset();
    void OnResetIdle();
    void OnDeselect();
    void OnSend() override;

    // One reset call; false when it failed or its answer cannot be shown.
    bool ResetOnce(Command& cmd, uint8_t fieldType);
    // Calls `fn`, reports an answer it cannot show, and shows the rest.
    template <typename Fn>
    bool CallReset(Command& cmd, const Fn& fn, uint8_t mode, ResetCall call);
    void ClearCardFields();
    void PlacePupiAtCsn();

    int32_t code_;
    ByteTextEdit csn_;
    ByteTextEdit pupi_;
    ByteTextEdit info_;
};
