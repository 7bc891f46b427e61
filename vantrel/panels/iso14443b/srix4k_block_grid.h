// The SRIX4K's 128 block texts on two pages, drawn by the panel: per block
// of the page shown a label and an edit's look, and a heading over each
// column. One real edit, the editor, lies over the block being typed in and
// carries that block's id (first id + block); a click on another block, or
// Tab, moves it there. Texts of the other blocks, read or typed, are kept
// here. A switch thus creates one control instead of 260.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <array>
#include <string>
#include <vector>

#include "vantrel/panels/iso14443b/srix4k_grid.h"
#include "vantrel/toolkit/byte_text_edit.h"

inline RECT ToRect(const GridBox& box) { return {box.left, box.top, box.right, box.bottom}; }

class Srix4kBlockGrid {
public:
    static constexpr int kBlocks = 2 * kSrixBlocksPerPage;

    // Creates the editor over block 0, limited to `blockSize` bytes, in the
    // fonts of `panel` (labels) and `hexFont` (block texts).
    bool Create(HWND panel, int firstId, std::size_t blockSize, HFONT hexFont, const Srix4kGrid& places);
    // New places after a layout.
    void Place(const Srix4kGrid& places);

    int Page() const { return page_; }
    // Shows `page`; the editor goes to its first block, and gives up the
    // focus as a hidden edit would.
    void ShowPage(int page);

    std::wstring Text(int block) const;
    // Block b shows texts[b]; blocks past the end of `texts` end up empty.
    void SetTexts(const std::vector<std::wstring>& texts);

    int EditedBlock() const { return block_; }
    HWND Editor() const { return editor_.Handle(); }
    // Moves the editor to `block` of the page shown.
    void Edit(int block);

    // A button went down at `at` on the panel (WM_LBUTTONDOWN or
    // WM_RBUTTONDOWN): over a block, the editor goes there and takes the
    // message as if it had been there. True when it did.
    bool OnButtonDown(UINT message, WPARAM keys, POINT at);
    // The cursor over a block is the edit's I-beam. True when set.
    bool OnSetCursor(POINT at) const;
    // WM_NEXTDLGCTL's Tab step: from block to block of the page, and into
    // the grid at the page's first block (last, `backwards`). True when the
    // step stayed in the grid; otherwise the dialog moves the focus.
    bool OnNextControl(bool backwards);

    // Draws what lies in `area` of the page shown, but the editor's block.
    void Paint(HDC dc, const RECT& area) const;

private:
    // The edit that turns the second click of a double click made on
    // another block into one (the first went to the panel).
    class BlockEditor : public ByteTextEdit {
    public:
        void NoteForwardedClick(POINT screen, LONG time) {
            clickAt_ = screen;
            clickTime_ = time;
            forwarded_ = true;
        }

    protected:
        bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    private:
        POINT clickAt_{};
        LONG clickTime_ = 0;
        bool forwarded_ = false;
    };

    RECT Box(int block) const;
    // The part of a block's box the edit fills: inside its edge.
    RECT Inside(const RECT& box) const;
    void MeasureEditor();
    void PaintBlock(HDC dc, int block, HTHEME theme) const;

    HWND panel_ = nullptr;
    int firstId_ = 0;
    HFONT hexFont_ = nullptr;
    BlockEditor editor_;
    Srix4kGrid places_;
    std::array<std::wstring, kBlocks> texts_;
    int page_ = 0;
    int block_ = 0;
    // The editor's edge (window to client) and text margins (client to
    // its formatting rectangle), as the edit itself has them.
    RECT edge_{};
    RECT margins_{};
};
