// The single-document frame: a top-level window with a menu, a dialog bar
// docked along its top edge and one client window filling the rest.
#pragma once

#include "vantrel/framework/window_base.h"

class FrameWindow : public WindowBase {
public:
    // The bar keeps its own height and spans the frame's width.
    void DockTop(HWND bar) {
        bar_ = bar;
        Layout();
    }
    void SetClient(HWND client) {
        client_ = client;
        Layout();
    }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Enables and checks the items of a popup before it opens.
    virtual void OnUpdateMenu(HMENU /*popup*/) {}
    void Layout();

private:
    HWND bar_ = nullptr;
    HWND client_ = nullptr;
};
