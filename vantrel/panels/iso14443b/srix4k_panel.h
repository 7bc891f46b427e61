// The SRIX4K panel: 128 blocks of 4 bytes on two pages of a created grid,
// the UID, and any block written one by one.
#pragma once

#include <array>

#include "vantrel/panels/iso14443b/srix4k_grid.h"
#include "vantrel/panels/iso14443b/st_tag_panel.h"

class CSrix4kPanel : public WithMessageMap<CSrix4kPanel, StTagPanel> {
public:
    explicit CSrix4kPanel(PanelContext& context);

    static std::span<const MessageEntry<CSrix4kPanel>> Messages();

    void Layout(int screenWidth) override;
    int CurrentPage() const { return page_; }

protected:
    BOOL OnInitDialog() override;

private:
    void CreateGrid();
    // The grid's places in the current client area.
    void ComputeGrid(const RECT& client);
    void MoveGrid();
    // The window reaches the grid's content height.
    void FitHeight();
    void ShowPage(int page);
    void OnReadUid();
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnLeftButtonDown(WPARAM, LPARAM lParam);

    ByteTextEdit uid_;
    int page_ = 0;
    Srix4kGrid grid_;
};
