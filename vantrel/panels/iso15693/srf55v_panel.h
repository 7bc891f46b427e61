// The SRF55V panel (SRF55V02P, 32 pages, and SRF55V10P, 128 pages, of 8
// bytes): inventory, the whole memory read page by page into the hex page
// editor, and changed pages written with a read-back check.
#pragma once

#include <cstdint>
#include <span>

#include "vantrel/panels/iso15693/vicinity_family_panel.h"
#include "vantrel/toolkit/hex_page_editor.h"

inline constexpr int kCodeSrf55V02P = 22;
inline constexpr int kCodeSrf55V10P = 23;

class CSrf55vPanel : public WithMessageMap<CSrf55vPanel, VicinityFamilyPanel> {
public:
    static constexpr int kPageSize = 8;

    CSrf55vPanel(PanelContext& context, int32_t code);

    static std::span<const MessageEntry<CSrf55vPanel>> Messages();
    int PageCount() const { return pages_; }

protected:
    BOOL OnInitDialog() override;

private:
    void OnInventory() override;
    void OnRead() override;
    void OnWrite() override;
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM, LPARAM);

    int pages_;
    HexPageEditor editor_;
    Window pageBar_;
};
