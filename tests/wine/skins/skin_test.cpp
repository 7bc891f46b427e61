#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "support/panel_harness.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/resources/resource.h"
#include "vantrel/shell/background_dialog.h"
#include "vantrel/shell/skin.h"
#include "vantrel/toolkit/card_panel_base.h"

namespace {

// The folder of the test program, where the skin libraries lie.
constexpr wchar_t kHere[] = L".";

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    ScopedGetDC screen(nullptr);
    ScopedMemoryDC dc(screen);
    ScopedSelectObject select(dc, bitmap);
    return GetPixel(dc, x, y);
}

// Whether `skin` shows the library's bitmap `id`, pixel for pixel on a diagonal.
bool ShowsBitmap(const Skin& skin, int id) {
    const SkinLibrary library(SkinLibraryPath(kHere));
    ScopedBitmap expected(static_cast<HBITMAP>(
        LoadImageW(library.Handle(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!skin || !expected) return false;
    for (int i = 0; i < skin.TileSize().cx && i < skin.TileSize().cy; i += 7) {
        if (PixelOf(skin.Tile(), i, i) != PixelOf(expected, i, i)) return false;
    }
    return true;
}

}  // namespace

TEST(Skin, IndexSelectsBitmap201OnAndNothingOutsideTheThirtyTwo) {
    const Skin last = LoadSkin(kHere, 31);
    ASSERT_TRUE(last);
    EXPECT_EQ(last.TileSize().cx, 128);
    EXPECT_EQ(last.TileSize().cy, 128);
    EXPECT_TRUE(ShowsBitmap(last, 232));
    EXPECT_TRUE(ShowsBitmap(LoadSkin(kHere, 0), 201));
    EXPECT_FALSE(ShowsBitmap(LoadSkin(kHere, 0), 202));
    // More colours than a table holds: realised through a halftone palette.
    EXPECT_NE(last.Palette(), nullptr);

    for (int32_t outside : {-1, 32, INT_MAX, INT_MIN}) EXPECT_FALSE(LoadSkin(kHere, outside)) << outside;
}

TEST(Skin, MissingLibraryBitmapOrDamagedBitmapGivesNoSkin) {
    EXPECT_FALSE(LoadSkin(L"C:\\no\\such\\folder", 0));

    const SkinLibrary partial(L".\\PartialSkins.DLL");
    ASSERT_NE(partial.Handle(), nullptr);
    EXPECT_TRUE(Skin::Load(partial, 0));
    EXPECT_FALSE(Skin::Load(partial, 1)) << "missing";
    EXPECT_FALSE(Skin::Load(partial, 2)) << "header promises more than the resource holds";
    EXPECT_TRUE(Skin::Load(partial, 3));
    EXPECT_FALSE(Skin::Load(partial, 4));
}

TEST(Skin, PlainDialogColourWithoutASkin) {
    ScopedGetDC screen(nullptr);
    ScopedMemoryDC dc(screen);
    ScopedBitmap target(CreateCompatibleBitmap(screen, 4, 4));
    ScopedSelectObject select(dc, target);
    PaintSkinBackground(dc, RECT{0, 0, 4, 4}, nullptr);
    EXPECT_EQ(GetPixel(dc, 3, 3), GetSysColor(COLOR_BTNFACE));
}

class BackgroundDialogTest : public ::testing::Test {
protected:
    void Open(int32_t current) {
        dialog.emplace(current, kHere);
        ASSERT_TRUE(dialog->CreateModeless(TestHostWindow()));
        PumpMessages();
    }
    void TearDown() override {
        if (dialog && dialog->IsValid()) dialog->Destroy();
    }
    HWND List() const { return dialog->Item(IDC_BACKGROUND_LIST); }
    std::wstring ItemText(int at) const {
        wchar_t text[32] = {};
        SendMessageW(List(), LB_GETTEXT, at, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void Pick(int at) {
        SendMessageW(List(), LB_SETCURSEL, at, 0);
        SendMessageW(*dialog, WM_COMMAND, MAKEWPARAM(IDC_BACKGROUND_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(List()));
        PumpMessages();
    }

    std::optional<CBackgroundDialog> dialog;
};

TEST_F(BackgroundDialogTest, ListsThirtyTwoSkinsWithTheCurrentOneSelectedAndPreviewed) {
    Open(31);
    ASSERT_EQ(SendMessageW(List(), LB_GETCOUNT, 0, 0), 32);
    EXPECT_EQ(ItemText(0), L"背景 01");
    EXPECT_EQ(ItemText(9), L"背景 10");
    EXPECT_EQ(ItemText(31), L"背景 32");
    EXPECT_EQ(SendMessageW(List(), LB_GETCURSEL, 0, 0), 31);
    EXPECT_EQ(dialog->SelectedIndex(), 31);
    EXPECT_TRUE(ShowsBitmap(dialog->Preview(), 232));

    Pick(4);
    EXPECT_EQ(dialog->SelectedIndex(), 4);
    EXPECT_TRUE(ShowsBitmap(dialog->Preview(), 205));
}

TEST_F(BackgroundDialogTest, PreviewIsTiledInsideTheFrameOnly) {
    Open(2);
    const RECT frame = Window(dialog->Item(IDC_BACKGROUND_PREVIEW)).RectIn(*dialog);
    const RECT area = dialog->PreviewArea();
    EXPECT_EQ(area.left, frame.left + 3);
    EXPECT_EQ(area.bottom, frame.bottom - 3);

    const RECT client = dialog->ClientRect();
    ScopedGetDC screen(nullptr);
    ScopedMemoryDC dc(screen);
    ScopedBitmap target(CreateCompatibleBitmap(screen, client.right, client.bottom));
    ScopedSelectObject select(dc, target);
    const RECT all{0, 0, client.right, client.bottom};
    ScopedBrush black(CreateSolidBrush(RGB(0, 0, 0)));
    FillRect(dc, &all, black);
    PaintSkinInside(dc, area, dialog->Preview());

    const Skin& preview = dialog->Preview();
    const int width = preview.TileSize().cx;
    EXPECT_EQ(GetPixel(dc, area.left, area.top), PixelOf(preview.Tile(), 0, 0));
    EXPECT_EQ(GetPixel(dc, area.left + width + 1, area.top + 2), PixelOf(preview.Tile(), 1, 2));
    EXPECT_EQ(GetPixel(dc, area.right - 1, area.bottom - 1),
              PixelOf(preview.Tile(), (Width(area) - 1) % width, (Height(area) - 1) % preview.TileSize().cy));
    EXPECT_EQ(GetPixel(dc, area.right, area.bottom - 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, area.left - 1, area.top), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, area.left, area.bottom), RGB(0, 0, 0));
}
