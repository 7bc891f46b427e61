// Geometry and colours of the result log.
#pragma once

#include <cstddef>
#include <cstdint>

struct Rgb {
    uint8_t r, g, b;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr int kLogFontHeight = 20;
inline constexpr int kLogLinePitch = kLogFontHeight + 2;
inline constexpr int kLogNameX = 20;
inline constexpr int kLogMinHeight = 100;     // also the scroll width
inline constexpr int kLogBottomMargin = 24;   // added once the lines pass the minimum
inline constexpr int kLogGradientMaxRows = 84;
inline constexpr Rgb kLogTextColour{41, 101, 132};
inline constexpr Rgb kLogFailureColour{255, 0, 0};

// Scrollable height of the log for `entryCount` lines.
int LogTotalHeight(std::size_t entryCount);

// Height of the off-screen image: the scrollable height, at least the client height.
int LogImageHeight(int totalHeight, int clientHeight);

// Rows to allocate for an image that must hold `needed` rows and holds
// `current`: the current size while it suffices, else room to grow by half
// again (at most kLogImageSlack rows), so that appending lines rarely
// reallocates.
inline constexpr int kLogImageSlack = 1024;
int LogImageCapacity(int needed, int current);

// Top of line `index` (0 = oldest).
constexpr int LogLineTop(int index) { return kLogLinePitch * index; }

// x of the result column.
constexpr int LogResultX(int clientWidth) { return clientWidth / 2; }

// Pixel rows of an area `height` high that carry the gradient; white below.
int GradientRows(int height);

// Colour of gradient row `row` of `rows` (rows > 0).
Rgb GradientColour(int row, int rows);
