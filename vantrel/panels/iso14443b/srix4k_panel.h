// The SRIX4K panel: 128 blocks of 4 bytes on the two pages of a drawn grid,
// the UID, and any block written one by one.
#pragma once

#include "vantrel/panels/iso14443b/srix4k_block_grid.h"
#include "vantrel/panels/iso14443b/srix4k_grid.h"
#include "vantrel/panels/iso14443b/st_tag_panel.h"

class CSrix4kPanel : public WithMessageMap<CSrix4kPanel, StTagPanel> {
public:
    explicit CSrix4kPanel(PanelContext& context);

    static std::span<const MessageEntry<CSrix4kPanel>> Messages();

    void Layout(int screenWidth) override;
    int CurrentPage() const { return grid_.Page(); }
    std::wstring BlockText(int block) const { return grid_.Text(block); }
    // Shows the block's page and puts the editor on the block, as a click
    // on it does.
    void EditBlock(int block);

protected:
    BOOL OnInitDialog() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    Bytes BlockBytes(int block) const override;
    void ShowBlocks(const std::vector<std::wstring>& texts) override;

private:
    // The grid's places in the current client area.
    Srix4kGrid ComputeGrid(const RECT& client) const;
    // The window reaches the grid's content height.
    void FitHeight();
    void ShowPage(int page);
    void OnReadUid();
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam);
    void PaintTabs(HDC dc) const;

    ByteTextEdit uid_;
    Srix4kGrid places_;
    Srix4kBlockGrid grid_;
};
