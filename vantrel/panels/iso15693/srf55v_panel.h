// The SRF55V panel (SRF55V02P, 32 pages, and SRF55V10P, 128 pages, of 8
// bytes): inventory, the whole memory read page by page into the hex page
// editor, and changed pages written with a read-back check.
#pragma once

#include <cstdint>
#include <span>

#include "vantrel/panels/iso15693/vicinity_family_panel.h"

inline constexpr int kCodeSrf55V02P = 22;
inline constexpr int kCodeSrf55V10P = 23;

class CSrf55vPanel : public VicinityFamilyPanel {
public:
    static constexpr int kPageSize = 8;

    CSrf55vPanel(PanelContext& context, int32_t code);

    int PageCount() const { return pages_; }

protected:
    BOOL OnInitDialog() override;

private:
    void OnInventory() override;
    void OnRead() override;
    void OnWrite() override;

    int pages_;
    HexPagePane pane_;
};
