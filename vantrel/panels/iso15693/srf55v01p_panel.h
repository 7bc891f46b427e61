// The SRF55V01P panel: AFI-filtered inventory, blocks 0 to 17 in the hex
// page editor (block 15 is not read), changed blocks written (bytes 2 and 3
// of block 16 by the tag's custom request), and the AFI written and locked.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "vantrel/panels/iso15693/vicinity_family_panel.h"

class CSrf55v01pPanel : public WithMessageMap<CSrf55v01pPanel, VicinityFamilyPanel> {
public:
    static constexpr int kBlocks = 18;
    static constexpr int kUnreadBlock = 15;

    explicit CSrf55v01pPanel(PanelContext& context);

    static std::span<const MessageEntry<CSrf55v01pPanel>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnInventory() override;
    void OnRead() override;
    void OnWrite() override;
    void OnWriteAfi();
    void OnLockAfi();

    // Sends the changed bytes 2 and 3 of block 16; false after a reported failure.
    bool WriteConfigBlock(Command& cmd, const Bytes& uid, const Bytes& row);

    ByteTextEdit afi_;
    HexPagePane pane_;
    // Block 16 as the tag holds it, as far as this panel knows.
    std::array<uint8_t, 4> configCopy_{};
};
