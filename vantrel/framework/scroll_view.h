// A child window that scrolls vertically over a content of a given height, one
// unit a pixel. Children move with the content.
#pragma once

#include "vantrel/framework/window_base.h"

class ScrollView : public WindowBase {
public:
    // How a changed scroll range reaches the screen: the bar redrawn at once,
    // or once the message loop is idle (for callers that change it often).
    enum class BarRedraw { Now, WhenIdle };

    // Total content size in pixels; the page and line steps are a tenth of
    // the total and of the page.
    void SetScrollSizes(int totalWidth, int totalHeight, BarRedraw redraw = BarRedraw::Now);
    int ScrollPosition() const { return position_; }
    // Scrolls to `y` (clamped to the range), moving the content and children.
    void ScrollTo(int y, bool redraw = true);
    int TotalHeight() const { return totalHeight_; }

    // What the vertical bar shows: whether it is there, its range, page and thumb.
    struct Bar {
        bool shown = false;
        int max = 0;
        UINT page = 0;
        int position = 0;
        bool operator==(const Bar&) const = default;
    };
    Bar VerticalBar() const;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Called when scrolling moved the content by `dy` pixels (already scrolled).
    virtual void OnScrolled(int /*dy*/) {}

private:
    void UpdateBar(BarRedraw redraw = BarRedraw::Now);
    int MaxPosition() const;
    void OnVScroll(int code);

    int totalWidth_ = 100;
    int totalHeight_ = 100;
    int pageStep_ = 10;
    int lineStep_ = 1;
    int position_ = 0;
    bool barRedrawPosted_ = false;
};
