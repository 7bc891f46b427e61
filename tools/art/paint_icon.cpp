// Paints the program's icon: a card with its chip and the reader's field
// lines, in the program's ink, at each size Windows asks for, into one .ico
// of 32-bit images with alpha.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <vector>

#include "shapes.h"

namespace {

struct Rgba {
    double r, g, b, a;
};

constexpr Rgba kInk{41, 101, 132, 1};
constexpr Rgba kCardFace{226, 236, 243, 1};
constexpr Rgba kChip{214, 176, 84, 1};
constexpr Rgba kChipLine{150, 118, 52, 1};
constexpr int kSizes[] = {16, 20, 24, 32, 40, 48, 64, 128};
constexpr int kSamples = 4;  // per pixel and axis

// The colour at (x, y) of the unit square, transparent where nothing is.
Rgba Shade(double x, double y, double pixel) {
    Rgba out{0, 0, 0, 0};
    auto over = [&out](Rgba c) { out = c; };  // every colour is opaque
    // Strokes are at least one pixel wide, so that the small sizes keep them.
    const double stroke = std::max(0.055, pixel);
    // Field lines from the card's upper right corner.
    const double wx = x - 0.66, wy = y - 0.42;
    const double angle = std::atan2(-wy, wx);
    if (angle > -0.35 && angle < 1.45) {
        const double r = std::hypot(wx, wy);
        for (double ring : {0.17, 0.30}) {
            if (std::fabs(r - ring) < stroke * 0.75) over(kInk);
        }
    }
    const double card = RoundedRectDistance(x, y, 0.42, 0.62, 0.38, 0.26, 0.07);
    if (card < 0) over(card > -stroke ? kInk : kCardFace);
    const double chip = RoundedRectDistance(x, y, 0.24, 0.60, 0.10, 0.08, 0.025);
    if (chip < 0) over(chip > -std::max(0.02, pixel * 0.8) ? kChipLine : kChip);
    // A stripe of text lines on the card's right.
    for (double line : {0.56, 0.66}) {
        if (x > 0.44 && x < 0.70 && std::fabs(y - line) < stroke * 0.5) over(kInk);
    }
    return out;
}

// One size: premultiplied sums of the samples, un-premultiplied at the end.
std::vector<uint8_t> PaintBgra(int size) {
    std::vector<uint8_t> bgra(static_cast<size_t>(size) * size * 4);
    const double pixel = 1.0 / size;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba c = Shade((px + (sx + 0.5) / kSamples) * pixel, (py + (sy + 0.5) / kSamples) * pixel,
                                         pixel);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            // Bottom-up rows, as the icon's bitmap stores them.
            uint8_t* out = &bgra[(static_cast<size_t>(size - 1 - py) * size + px) * 4];
            if (a > 0) {
                out[0] = static_cast<uint8_t>(std::lround(b / a));
                out[1] = static_cast<uint8_t>(std::lround(g / a));
                out[2] = static_cast<uint8_t>(std::lround(r / a));
            }
            out[3] = static_cast<uint8_t>(std::lround(255 * a / (kSamples * kSamples)));
        }
    }
    return bgra;
}

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// An icon image: BITMAPINFOHEADER (height doubled for the mask), the pixels,
// then the AND mask, set where the pixel is fully transparent.
std::vector<uint8_t> IconImage(int size) {
    const std::vector<uint8_t> bgra = PaintBgra(size);
    const int maskStride = ((size + 31) / 32) * 4;
    std::vector<uint8_t> out;
    PutLe(out, 40, 4);
    PutLe(out, static_cast<uint32_t>(size), 4);
    PutLe(out, static_cast<uint32_t>(size * 2), 4);
    PutLe(out, 1, 2);
    PutLe(out, 32, 2);
    PutLe(out, 0, 4);
    PutLe(out, static_cast<uint32_t>(bgra.size() + static_cast<size_t>(maskStride) * size), 4);
    for (int i = 0; i < 4; ++i) PutLe(out, 0, 4);
    out.insert(out.end(), bgra.begin(), bgra.end());
    for (int y = 0; y < size; ++y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
        for (int x = 0; x < size; ++x) {
            if (bgra[(static_cast<size_t>(y) * size + x) * 4 + 3] == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint_icon <out.ico>\n");
        return 2;
    }
    constexpr int count = static_cast<int>(std::size(kSizes));
    std::vector<std::vector<uint8_t>> images;
    for (int size : kSizes) images.push_back(IconImage(size));
    std::vector<uint8_t> file;
    PutLe(file, 0, 2);
    PutLe(file, 1, 2);
    PutLe(file, count, 2);
    uint32_t offset = 6 + 16 * count;
    for (int i = 0; i < count; ++i) {
        const int size = kSizes[i];
        file.push_back(static_cast<uint8_t>(size));
        file.push_back(static_cast<uint8_t>(size));
        file.push_back(0);
        file.push_back(0);
        PutLe(file, 1, 2);
        PutLe(file, 32, 2);
        PutLe(file, static_cast<uint32_t>(images[i].size()), 4);
        PutLe(file, offset, 4);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr || std::fwrite(file.data(), 1, file.size(), out) != file.size()) {
        std::fprintf(stderr, "paint_icon: cannot write %s\n", argv[1]);
        if (out != nullptr) std::fclose(out);
        return 1;
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
