// The result log: one line per library call of the last command, drawn into an
// off-screen image that scrolling only copies; rows are drawn there when the
// window first shows them. An added line is drawn alone and
// only its rows are copied to the window. Between BeginBatch and EndBatch the
// lines are only kept; image, scroll range and window follow once, at the end
// (or at Flush).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vantrel/framework/gdi.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/framework/scroll_view.h"
#include "vantrel/toolkit/hover_hint.h"

class CProcessView : public WithMessageMap<CProcessView, ScrollView> {
public:
    struct Entry {
        std::wstring functionName;
        int32_t status;
    };

    CProcessView();
    bool Create(HWND parent);

    void AddEntry(const std::wstring& functionName, int32_t status);
    void ClearEntries();
    const std::vector<Entry>& Entries() const { return entries_; }

    // Batches nest; the outermost end brings the window up to date.
    void BeginBatch() { ++batchDepth_; }
    void EndBatch();
    // Brings the scroll range and the window up to date now, batch or not.
    void Flush();
    // The line under `point` (client coordinates), -1 where there is none.
    int EntryAt(POINT point) const;
    // The tip shown where the pointer rests: the line's status in plain words.
    const HoverHint& Hint() const { return hint_; }

    static std::span<const MessageEntry<CProcessView>> Messages();

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);

    void OnScrolled(int dy) override;

    int WantedImageWidth() const;
    // Makes the image as wide as WantedImageWidth and at least `height` rows
    // high, keeping what it holds when only the height grows.
    void EnsureImage(int height);
    void RebuildImage(int height);
    // Makes the image `height` rows high, keeping what it holds.
    void GrowImage(int height);
    // Paints the image's background and lines down to at least row `bottom`.
    void PaintRows(int bottom);
    // Repaints the background over image rows [top, bottom).
    void EraseImageRows(int top, int bottom);
    // Draws the entries not drawn yet whose rows are painted.
    void DrawPendingEntries();
    // Copies image rows [top, bottom) to the same rows of the window.
    void CopyImageToWindow(int top, int bottom);
    int ClientHeight() const { return Height(ClientRect()); }
    // Widens the image rows the next Flush copies to the window.
    void MarkRows(int top, int bottom);

    std::vector<Entry> entries_;
    HoverHint hint_;
    ScopedFont font_;
    // The off-screen image and the memory DC that holds it with the font
    // (members in this order: selections are undone before anything is deleted).
    std::optional<ScopedMemoryDC> imageDc_;
    ScopedBitmap image_;
    std::optional<ScopedSelectObject> selectImage_;
    std::optional<ScopedSelectObject> selectFont_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    // Entries drawn into the image, from the oldest.
    size_t drawnCount_ = 0;
    // Image rows [0, paintedBottom_) hold the background and the drawn
    // entries; rows below are painted when the window first shows them.
    int paintedBottom_ = 0;
    // Image offset the window shows; -1 when it shows a mix or is unknown.
    int shownOffset_ = -1;

    int batchDepth_ = 0;
    // What Flush has still to do: scroll back to the top after a clear,
    // erase the image rows of cleared lines, copy changed rows to the window.
    bool cleared_ = false;
    int eraseBottom_ = 0;
    int dirtyTop_ = 0;
    int dirtyBottom_ = 0;
};

// Fills `area` of `dc` with the log's background: the gradient rows, white below.
void PaintLogBackground(HDC dc, const RECT& area);
