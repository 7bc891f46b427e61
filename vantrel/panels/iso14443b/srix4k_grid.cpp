#include "vantrel/panels/iso14443b/srix4k_grid.h"

namespace {

constexpr int kRowHeight = 18;
constexpr int kRowPitch = 22;
constexpr int kFirstRow = 20;
constexpr int kTabTop = 387;
constexpr int kTabHeight = 30;
constexpr int kContentHeight = 452;

struct Column {
    int labelX, labelWidth, editX, editShrink;  // x offsets add `pitch` times the column
};

// Label x, label width, edit x and how much narrower than the pitch the edit is.
constexpr Column kColumns[] = {{6, 54, 62, 52}, {18, 54, 74, 52}, {24, 56, 82, 56}, {30, 56, 88, 56}};

}  // namespace

Srix4kGrid LayOutSrix4kGrid(int left, int top, int right) {
    Srix4kGrid grid;
    const int pitch = (right - left - 40) / 4;
    for (int column = 0; column < 4; ++column) {
        const Column& c = kColumns[column];
        const int shift = column * pitch;
        for (int row = 0; row < kSrixRowsPerColumn; ++row) {
            const int y = top + kFirstRow + kRowPitch * row;
            const int at = column * kSrixRowsPerColumn + row;
            grid.labels[at] = {left + shift + c.labelX, y, left + shift + c.labelX + c.labelWidth, y + kRowHeight};
            grid.edits[at] = {left + shift + c.editX, y, left + shift + c.editX + pitch - c.editShrink, y + kRowHeight};
        }
        const GridBox& first = grid.edits[column * kSrixRowsPerColumn];
        grid.headings[column] = {first.left, first.top - 17, first.right, first.top - 17 + kRowHeight - 3};
    }
    grid.tabs[0] = {left + 20, top + kTabTop, left + 130, top + kTabTop + kTabHeight};
    grid.tabs[1] = {left + 130, top + kTabTop, left + 240, top + kTabTop + kTabHeight};
    grid.contentHeight = top + kContentHeight;
    return grid;
}

int Srix4kBlockAt(const Srix4kGrid& grid, int page, int x, int y) {
    for (int at = 0; at < kSrixBlocksPerPage; ++at) {
        if (grid.edits[at].Contains(x, y)) return page * kSrixBlocksPerPage + at;
    }
    return -1;
}

int Srix4kNextBlock(int block, bool backwards) {
    const int next = backwards ? block - 1 : block + 1;
    if (next < 0 || next / kSrixBlocksPerPage != block / kSrixBlocksPerPage) return -1;
    return next;
}
