// The AT88SC1608 secure memory card panel (card type 20): reset, fuses, the
// authentication with the host's answer computed here, passwords, and the
// configuration and user zones in two hex page editors.
#pragma once

#include <span>

#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/hex_page_pane.h"
#include "vantrel/toolkit/result_report.h"

class CAt88sc1608Panel : public WithMessageMap<CAt88sc1608Panel, CardPanelBase> {
public:
    explicit CAt88sc1608Panel(PanelContext& context);

    static std::span<const MessageEntry<CAt88sc1608Panel>> Messages();

    void Layout(int screenWidth) override;

    CardSecrets TypedSecrets() const override;

protected:
    BOOL OnInitDialog() override;

private:
    void OnReset();
    void OnReadFuse();
    void OnBlowFuse();
    void OnAuthenticate();
    void OnConfigRead();
    void OnConfigWrite();
    void OnUserRead();
    void OnUserWrite();

    // The 3 bytes of `field`, verified as password `index`; false after an
    // input error or a failure the command reported.
    bool Verify(Command& cmd, const ByteTextEdit& field, uint8_t index);
    // The data of the selected item of list `id`.
    int SelectedData(int id) const;
    void FillChoices(int id, int readBase);

    ByteTextEdit answer_;
    ByteTextEdit fuse_;
    ByteTextEdit gc_;
    ByteTextEdit q0_;
    ByteTextEdit secureCode_;
    ByteTextEdit password_;
    HexPagePane config_;
    HexPagePane user_;
};
