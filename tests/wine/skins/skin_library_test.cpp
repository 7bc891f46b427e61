#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "vantrel/framework/gdi.h"

namespace {

constexpr int kFirstSkin = 201;
constexpr int kSkinCount = 32;

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<RGBQUAD> data;  // top-down rows
    const RGBQUAD& At(int x, int y) const { return data[y * width + x]; }
};

double Luminance(const RGBQUAD& p) { return 0.299 * p.rgbRed + 0.587 * p.rgbGreen + 0.114 * p.rgbBlue; }

int Distance(const RGBQUAD& a, const RGBQUAD& b) {
    return std::abs(a.rgbRed - b.rgbRed) + std::abs(a.rgbGreen - b.rgbGreen) + std::abs(a.rgbBlue - b.rgbBlue);
}

std::wstring BesideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

class SkinLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = LoadLibraryExW(BesideThisProgram(L"Pava_Paper.DLL").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(library_, nullptr);
    }
    void TearDown() override {
        if (library_ != nullptr) FreeLibrary(library_);
    }

    Pixels Read(int id) const {
        ScopedBitmap bitmap(static_cast<HBITMAP>(
            LoadImageW(library_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        Pixels pixels;
        BITMAP info{};
        if (bitmap.Get() == nullptr || GetObjectW(bitmap.Get(), sizeof info, &info) == 0) return pixels;
        pixels.width = info.bmWidth;
        pixels.height = info.bmHeight;
        pixels.data.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
        BITMAPINFO request{};
        request.bmiHeader.biSize = sizeof request.bmiHeader;
        request.bmiHeader.biWidth = info.bmWidth;
        request.bmiHeader.biHeight = -info.bmHeight;
        request.bmiHeader.biPlanes = 1;
        request.bmiHeader.biBitCount = 32;
        request.bmiHeader.biCompression = BI_RGB;
        ScopedGetDC screen(nullptr);
        GetDIBits(screen, bitmap.Get(), 0, info.bmHeight, pixels.data.data(), &request, DIB_RGB_COLORS);
        return pixels;
    }

    HMODULE library_ = nullptr;
};

}  // namespace

// Every tile lies behind labels in the program's dark blue text: light and
// quiet, distinct from the others, and without a seam where copies meet.
TEST_F(SkinLibraryTest, ThirtyTwoLightQuietSeamlessDistinctTiles) {
    std::array<RGBQUAD, kSkinCount> means{};
    for (int i = 0; i < kSkinCount; ++i) {
        const int id = kFirstSkin + i;
        const Pixels tile = Read(id);
        ASSERT_GT(tile.width, 31) << id;
        ASSERT_GT(tile.height, 31) << id;

        double sum = 0, darkest = 255;
        long r = 0, g = 0, b = 0;
        for (const RGBQUAD& p : tile.data) {
            const double l = Luminance(p);
            sum += l;
            darkest = std::min(darkest, l);
            r += p.rgbRed;
            g += p.rgbGreen;
            b += p.rgbBlue;
        }
        const long n = static_cast<long>(tile.data.size());
        EXPECT_GT(sum / n, 220.0) << id;
        EXPECT_GT(darkest, 190.0) << id;
        means[i] = RGBQUAD{static_cast<BYTE>(b / n), static_cast<BYTE>(g / n), static_cast<BYTE>(r / n), 0};

        // Neighbours across the wrap differ no more than neighbours inside.
        long inside = 0, across = 0;
        for (int y = 0; y < tile.height; ++y) {
            inside += Distance(tile.At(tile.width / 2 - 1, y), tile.At(tile.width / 2, y));
            across += Distance(tile.At(tile.width - 1, y), tile.At(0, y));
        }
        for (int x = 0; x < tile.width; ++x) {
            inside += Distance(tile.At(x, tile.height / 2 - 1), tile.At(x, tile.height / 2));
            across += Distance(tile.At(x, tile.height - 1), tile.At(x, 0));
        }
        EXPECT_LT(across, inside * 2 + 64) << id;
    }
    for (int i = 0; i < kSkinCount; ++i) {
        for (int j = i + 1; j < kSkinCount; ++j) {
            EXPECT_GE(Distance(means[i], means[j]), 3) << kFirstSkin + i << " and " << kFirstSkin + j;
        }
    }
    EXPECT_EQ(Read(kFirstSkin + kSkinCount).width, 0) << "no tile past the last";
}
