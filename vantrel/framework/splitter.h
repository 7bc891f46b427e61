// A static splitter of two rows: an upper and a lower pane with a bar between
// them that the mouse can drag.
#pragma once

#include "vantrel/framework/window_base.h"

class Splitter : public WindowBase {
public:
    bool Create(HWND parent, int id);
    // The two pane windows, children of this splitter.
    void SetPanes(HWND top, HWND bottom);
    // Ideal height of the upper row; the lower row keeps at least `minBottom`.
    void SetTopHeight(int height);
    void SetMinBottomHeight(int height) { minBottom_ = height; }
    int TopHeight() const { return topHeight_; }
    static constexpr int kBarHeight = 6;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Layout();
    RECT BarRect() const;
    void Paint();

    HWND top_ = nullptr;
    HWND bottom_ = nullptr;
    int topHeight_ = 200;
    int minBottom_ = 0;
    bool dragging_ = false;
    int dragOffset_ = 0;
};
