// Geometry of the answer list's items and its pop-up tip, without windows.
#pragma once

#include <string>
#include <string_view>

// A rectangle in pixels: left and top inside, right and bottom outside.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// The text an item shows in `boxWidth` pixels when the whole text measures
// `textWidth`: unchanged if it fits, else cut to (box width / average
// character width) - 5 characters followed by " ... ".
std::wstring CutItemText(std::wstring_view text, int textWidth, int boxWidth);

// `box` moved left and up just enough to end inside `bounds`, but never past
// their left or top edge (a box larger than the bounds overhangs right or down).
PixelBox KeepInside(PixelBox box, const PixelBox& bounds);

// The tip's box in the list for an item whose top-left corner is (left, top):
// first line's width + 6 wide, lines × line height + 3 high, kept inside `list`.
PixelBox TipBox(int left, int top, int firstLineWidth, int lineCount, int lineHeight,
                const PixelBox& list);
