// Background skins: the tiles of the skin library, one per background index.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "vantrel/framework/gdi.h"

inline constexpr int32_t kSkinCount = 32;
inline constexpr int kFirstSkinId = 201;
inline constexpr wchar_t kSkinLibraryName[] = L"Pava_Paper.DLL";

inline bool IsSkinIndex(int32_t index) { return index >= 0 && index < kSkinCount; }

// The skin library, mapped as data only: none of its code runs.
class SkinLibrary {
public:
    explicit SkinLibrary(const std::wstring& path);
    SkinLibrary(const SkinLibrary&) = delete;
    SkinLibrary& operator=(const SkinLibrary&) = delete;
    ~SkinLibrary();

    HMODULE Handle() const { return module_; }

private:
    HMODULE module_;
};

// The skin library beside the program in `programFolder`.
std::wstring SkinLibraryPath(const std::wstring& programFolder);

// One skin: its tile as a DIB section and the palette to realise it with.
// Empty when the library or the bitmap is missing or damaged.
class Skin {
public:
    Skin() = default;
    static Skin Load(const SkinLibrary& library, int32_t index);

    HBITMAP Tile() const { return tile_.Get(); }
    HPALETTE Palette() const { return palette_.Get(); }
    SIZE TileSize() const { return size_; }
    explicit operator bool() const { return static_cast<bool>(tile_); }

private:
    ScopedBitmap tile_;
    ScopedPalette palette_;
    SIZE size_{0, 0};
};

// Loads skin `index` from the library beside the program; the library is
// freed again, the tile does not need it.
Skin LoadSkin(const std::wstring& programFolder, int32_t index);

// Tiles `skin` over `area` of `dc` and nothing outside it, through the
// skin's palette on a palette display.
void PaintSkinInside(HDC dc, const RECT& area, const Skin& skin);
