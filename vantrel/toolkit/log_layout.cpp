#include "vantrel/toolkit/log_layout.h"

#include <algorithm>
#include <cassert>

int LogTotalHeight(std::size_t entryCount) {
    // Far beyond any log; keeps the arithmetic inside int.
    const std::size_t lines = std::min<std::size_t>(entryCount, 1000000);
    const int linesHeight = kLogLinePitch * static_cast<int>(lines);
    return linesHeight > kLogMinHeight ? linesHeight + kLogBottomMargin : kLogMinHeight;
}

int LogImageHeight(int totalHeight, int clientHeight) {
    return std::max(totalHeight, clientHeight);
}

int LogImageCapacity(int needed, int current) {
    if (needed <= current) return current;
    return needed + std::min(needed / 2, kLogImageSlack);
}

int GradientRows(int height) {
    return std::clamp(height, 0, kLogGradientMaxRows);
}

Rgb GradientColour(int row, int rows) {
    assert(rows > 0 && row >= 0 && row < rows);
    if (rows <= 0) return Rgb{255, 255, 255};
    // Each channel wraps modulo 256 (the conversion to uint8_t does that).
    return Rgb{static_cast<uint8_t>(row - 85), static_cast<uint8_t>(67 * row / rows - 68),
               static_cast<uint8_t>(56 * row / rows - 57)};
}
