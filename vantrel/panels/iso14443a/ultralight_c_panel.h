// The UltraLight C panel: 44 pages read one by one, pages 2 to 43 written one
// by one, and the 16-byte key used to authenticate or written as the new key.
#pragma once

#include "vantrel/panels/iso14443a/ultralight_family_panel.h"

class CUltraLightCPanel : public WithMessageMap<CUltraLightCPanel, UltraLightFamilyPanel> {
public:
    explicit CUltraLightCPanel(PanelContext& context);

    static std::span<const MessageEntry<CUltraLightCPanel>> Messages();
    CardSecrets TypedSecrets() const override;

protected:
    BOOL OnInitDialog() override;

private:
    void OnAuthenticate();
    void OnUpdate();
    // The key's bytes once the connection is open and the key has 16 bytes.
    bool KeyReady(Command& cmd, Bytes& key);

    ByteTextEdit key_;
};
