// The window shown while the start-up connection runs: the splash bitmap with
// "Connecting" over it.
#pragma once

#include "vantrel/framework/gdi.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/framework/window_base.h"

class SplashWindow : public WithMessageMap<SplashWindow, WindowBase> {
public:
    static constexpr int kWidth = 538;
    static constexpr int kHeight = 260;

    // Creates the window centred on the screen, shows and paints it at once.
    bool Create();

    static std::span<const MessageEntry<SplashWindow>> Messages();

private:
    LRESULT OnPaint(WPARAM, LPARAM);

    ScopedBitmap bitmap_;
};
