#include "vantrel/toolkit/answer_list_layout.h"

#include <algorithm>

namespace {
constexpr std::wstring_view kCutMark = L" ... ";
constexpr int kCutSlack = 5;  // characters given up for the mark
constexpr int kTipExtraWidth = 6;
constexpr int kTipExtraHeight = 3;
}  // namespace

std::wstring CutItemText(std::wstring_view text, int textWidth, int boxWidth) {
    if (text.empty() || textWidth <= boxWidth) return std::wstring(text);
    const int averageWidth = std::max(1, textWidth / static_cast<int>(text.size()));
    const int keep = std::max(0, boxWidth / averageWidth - kCutSlack);
    std::wstring cut(text.substr(0, std::min(text.size(), static_cast<size_t>(keep))));
    cut += kCutMark;
    return cut;
}

PixelBox KeepInside(PixelBox box, const PixelBox& bounds) {
    const int left = std::max(bounds.left, std::min(box.left, bounds.right - box.Width()));
    const int top = std::max(bounds.top, std::min(box.top, bounds.bottom - box.Height()));
    return PixelBox{left, top, left + box.Width(), top + box.Height()};
}

PixelBox TipBox(int left, int top, int firstLineWidth, int lineCount, int lineHeight,
                const PixelBox& list) {
    const PixelBox box{left, top, left + firstLineWidth + kTipExtraWidth,
                       top + lineCount * lineHeight + kTipExtraHeight};
    return KeepInside(box, list);
}
