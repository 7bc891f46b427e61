// The SRI64 panel: inventory, 14 one-byte blocks read with their status,
// and the blocks the operator edited written one by one.
#pragma once

#include <array>
#include <span>

#include "vantrel/panels/iso15693/vicinity_family_panel.h"

class CSri64Panel : public WithMessageMap<CSri64Panel, VicinityFamilyPanel> {
public:
    static constexpr int kBlocks = 14;
    static constexpr int kFields = 16;
    static constexpr int kFirstEditable = 8;

    explicit CSri64Panel(PanelContext& context);

    static std::span<const MessageEntry<CSri64Panel>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnInventory() override;
    void OnRead() override;
    void OnWrite() override;

    std::array<ByteTextEdit, kFields> data_;
    std::array<ByteTextEdit, kFields> status_;
};
