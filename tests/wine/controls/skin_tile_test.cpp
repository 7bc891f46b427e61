#include <gtest/gtest.h>

#include <optional>

#include "vantrel/framework/gdi.h"
#include "vantrel/toolkit/card_panel_base.h"

namespace {

constexpr int kTileWidth = 3;
constexpr int kTileHeight = 2;
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A colour of its own for each pixel of the tile.
COLORREF TilePixel(int x, int y) { return RGB(40 + 60 * x, 100 + 80 * y, 7); }

class SkinTileTest : public ::testing::Test {
protected:
    void SetUp() override {
        tile.Reset(CreateCompatibleBitmap(screen, kTileWidth, kTileHeight));
        {
            ScopedMemoryDC tileDc(screen);
            ScopedSelectObject select(tileDc, tile);
            for (int y = 0; y < kTileHeight; ++y)
                for (int x = 0; x < kTileWidth; ++x) SetPixel(tileDc, x, y, TilePixel(x, y));
        }
        target.Reset(CreateCompatibleBitmap(screen, 8, 6));
        select.emplace(dc, target);
        const RECT all{0, 0, 8, 6};
        ScopedBrush black(CreateSolidBrush(kBlack));
        FillRect(dc, &all, black);
    }
    void TearDown() override { select.reset(); }

    ScopedGetDC screen{nullptr};
    ScopedMemoryDC dc{screen};
    ScopedBitmap tile;
    ScopedBitmap target;
    std::optional<ScopedSelectObject> select;
};

}  // namespace

TEST_F(SkinTileTest, TilesRepeatFromTheCornerWithoutGapsOrScaling) {
    TileBitmap(dc, RECT{0, 0, 7, 5}, tile);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(GetPixel(dc, x, y), TilePixel(x % kTileWidth, y % kTileHeight))
                << x << "," << y;
        }
    }
}

TEST_F(SkinTileTest, ClippedAreaGetsTheTilesInTheirPlaces) {
    // As a control does that paints the background of its parent's area.
    IntersectClipRect(dc, 4, 3, 7, 5);
    TileBitmap(dc, RECT{-1, -1, 7, 5}, tile);
    EXPECT_EQ(GetPixel(dc, 4, 3), TilePixel((4 + 1) % kTileWidth, (3 + 1) % kTileHeight));
    EXPECT_EQ(GetPixel(dc, 6, 4), TilePixel((6 + 1) % kTileWidth, (4 + 1) % kTileHeight));
    EXPECT_EQ(GetPixel(dc, 3, 3), kBlack);
    EXPECT_EQ(GetPixel(dc, 4, 2), kBlack);
}

TEST_F(SkinTileTest, TilesLineUpWithAnOriginOutsideTheArea) {
    // As the host does to meet the tiles of a panel placed at (-1, 4).
    TileBitmap(dc, RECT{0, 0, 7, 5}, tile, POINT{-1, 4});
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(GetPixel(dc, x, y), TilePixel((x + 1) % kTileWidth, (y + 4 * kTileHeight - 4) % kTileHeight))
                << x << "," << y;
        }
    }
}
