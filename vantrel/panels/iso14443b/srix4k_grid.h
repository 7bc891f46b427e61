// Where the SRIX4K panel puts its block grid, in pixels: each page shows 4
// columns of 16 rows, numbered down the columns, with a heading over each
// column and the two page tabs below.
#pragma once

#include <array>

struct GridBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const GridBox&) const = default;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

inline constexpr int kSrixBlocksPerPage = 64;
inline constexpr int kSrixRowsPerColumn = 16;

struct Srix4kGrid {
    // By position on a page (block % 64).
    std::array<GridBox, kSrixBlocksPerPage> labels;
    std::array<GridBox, kSrixBlocksPerPage> edits;
    std::array<GridBox, 4> headings;
    std::array<GridBox, 2> tabs;
    int contentHeight = 0;
};

// The grid between `left` and `right`, from `top` down.
Srix4kGrid LayOutSrix4kGrid(int left, int top, int right);

// The block whose edit lies at (x, y) on `page`, or -1.
int Srix4kBlockAt(const Srix4kGrid& grid, int page, int x, int y);

// The block after `block` in the tab order (before it, `backwards`), or -1
// when the page ends there: each page's blocks come in number order.
int Srix4kNextBlock(int block, bool backwards);
