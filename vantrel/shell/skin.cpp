#include "vantrel/shell/skin.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "vantrel/toolkit/card_panel_base.h"

namespace {

constexpr int kMaxTableColours = 256;

// Whether bitmap resource `id` holds all that its header promises: a damaged
// library must not make the loader read past the resource.
bool IsWholeBitmap(HMODULE module, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_BITMAP);
    if (found == nullptr) return false;
    const uint64_t size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr || size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER header{};
    std::memcpy(&header, data, sizeof(header));
    const uint64_t bits = header.biBitCount;
    if (header.biSize < sizeof(header) || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biPlanes != 1) {
        return false;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    const uint64_t tableLimit = bits <= 8 ? uint64_t{1} << bits : kMaxTableColours;
    if (header.biClrUsed > tableLimit) return false;
    const uint64_t colours = header.biClrUsed != 0 ? header.biClrUsed : (bits <= 8 ? tableLimit : 0);
    const uint64_t masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof(header) ? 12 : 0;
    const uint64_t rows = static_cast<uint64_t>(std::abs(static_cast<int64_t>(header.biHeight)));
    uint64_t pixels = 0;
    switch (header.biCompression) {
    case BI_RGB:
    case BI_BITFIELDS:
        pixels = (static_cast<uint64_t>(header.biWidth) * bits + 31) / 32 * 4 * rows;
        break;
    case BI_RLE4:
    case BI_RLE8:
        if (header.biSizeImage == 0) return false;
        pixels = header.biSizeImage;
        break;
    default:
        return false;
    }
    return header.biSize + masks + colours * sizeof(RGBQUAD) + pixels <= size;
}

// A palette of the tile's own colour table, or a halftone palette for a
// tile with more colours than a table holds.
HPALETTE MakePalette(HBITMAP tile) {
    DIBSECTION section{};
    if (GetObjectW(tile, sizeof(section), &section) != sizeof(section)) return nullptr;
    const BITMAPINFOHEADER& header = section.dsBmih;
    int colours = static_cast<int>(header.biClrUsed);
    if (colours == 0) colours = header.biBitCount < 16 ? 1 << header.biBitCount : kMaxTableColours + 1;
    ScopedGetDC screen(nullptr);
    if (colours > kMaxTableColours) return CreateHalftonePalette(screen);

    std::vector<RGBQUAD> table(colours);
    ScopedMemoryDC memory(screen);
    {
        ScopedSelectObject select(memory, tile);
        colours = static_cast<int>(GetDIBColorTable(memory, 0, colours, table.data()));
    }
    if (colours == 0) return nullptr;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + colours * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours);
    for (int i = 0; i < colours; ++i) {
        palette->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    }
    return CreatePalette(palette);
}

}  // namespace

SkinLibrary::SkinLibrary(const std::wstring& path)
    : module_(LoadLibraryExW(path.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}

SkinLibrary::~SkinLibrary() {
    if (module_ != nullptr) FreeLibrary(module_);
}

std::wstring SkinLibraryPath(const std::wstring& programFolder) {
    return programFolder + L"\\" + kSkinLibraryName;
}

Skin Skin::Load(const SkinLibrary& library, int32_t index) {
    Skin skin;
    if (library.Handle() == nullptr || !IsSkinIndex(index)) return skin;
    if (!IsWholeBitmap(library.Handle(), kFirstSkinId + index)) return skin;
    ScopedBitmap tile(static_cast<HBITMAP>(LoadImageW(library.Handle(),
                                                      MAKEINTRESOURCEW(kFirstSkinId + index),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!tile || GetObjectW(tile, sizeof(info), &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) {
        return skin;
    }
    skin.palette_.Reset(MakePalette(tile));
    skin.size_ = SIZE{info.bmWidth, info.bmHeight};
    skin.tile_ = std::move(tile);
    return skin;
}

Skin LoadSkin(const std::wstring& programFolder, int32_t index) {
    const SkinLibrary library(SkinLibraryPath(programFolder));
    return Skin::Load(library, index);
}

void PaintSkinInside(HDC dc, const RECT& area, const Skin& skin) {
    if (!skin) return;
    const int saved = SaveDC(dc);
    if (skin.Palette() != nullptr && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0) {
        SelectPalette(dc, skin.Palette(), FALSE);
        RealizePalette(dc);
    }
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    TileBitmap(dc, area, skin.Tile());
    RestoreDC(dc, saved);
}
