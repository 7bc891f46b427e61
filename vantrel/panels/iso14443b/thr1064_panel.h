// The THR1064 panel: the type B search showing 8 bytes of the answer, the
// key check, and reading or writing one of the four pages; a page 0 read
// shows the configuration byte's access rights in display-only boxes.
// Only the search clears the log and checks the connection.
#pragma once

#include <array>
#include <span>

#include "vantrel/toolkit/display_only_box.h"
#include "vantrel/panels/iso14443b/thr1064_rights.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/result_report.h"

class CThr1064Panel : public WithMessageMap<CThr1064Panel, CardPanelBase> {
public:
    explicit CThr1064Panel(PanelContext& context);

    static std::span<const MessageEntry<CThr1064Panel>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnSearch();
    void OnAuthenticate();
    void OnRead();
    void OnWrite();

    bool SetUpField(Command& cmd);
    // After a failed or unusable read of `page`: what the panel empties.
    void ForgetPage(int page);
    void ShowBoxes(const std::array<Thr1064Box, kThr1064BoxCount>& boxes);

    ByteTextEdit serial_;
    ByteTextEdit key_;
    std::array<ByteTextEdit, 8> pages_;
    std::array<DisplayOnlyBox, kThr1064BoxCount> boxes_;
};
