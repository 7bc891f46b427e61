// Paints the installer's side picture (welcome and finish pages, 164 x 314):
// the program's ink shading to a lighter tone, with the card and its field
// lines in pale colours.
#include <cmath>
#include <cstdio>

#include "bmp_writer.h"
#include "shapes.h"

namespace {

constexpr int kWidth = 164;
constexpr int kHeight = 314;
constexpr Rgb kPale{226, 236, 243};
constexpr Rgb kChip{214, 176, 84};

void PaintBackground(Image& img) {
    for (int y = 0; y < kHeight; ++y) {
        const double t = static_cast<double>(y) / (kHeight - 1);
        const Rgb c{static_cast<uint8_t>(41 + 30 * t), static_cast<uint8_t>(101 + 40 * t),
                    static_cast<uint8_t>(132 + 36 * t)};
        for (int x = 0; x < kWidth; ++x) img.Set(x, y, c);
    }
}

void PaintCard(Image& img, double cx, double cy) {
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double card = RoundedRectDistance(px, py, cx, cy, 52, 33, 7);
            img.Blend(x, y, kPale, 0.5 - card);
            const double chip = RoundedRectDistance(px, py, cx - 26, cy - 2, 12, 9, 2.5);
            img.Blend(x, y, kChip, 0.5 - chip);
            for (double line : {cy - 5, cy + 7}) {
                const double d = RoundedRectDistance(px, py, cx + 14, line, 20, 2.5, 1.2);
                img.Blend(x, y, Rgb{41, 101, 132}, 0.5 - d);
            }
            // Field lines from the card's upper right corner.
            const double dx = px - (cx + 40), dy = py - (cy - 22);
            const double angle = std::atan2(-dy, dx);
            if (angle < -0.35 || angle > 1.45) continue;
            const double r = std::hypot(dx, dy);
            for (double ring : {20.0, 34.0, 48.0}) img.Blend(x, y, kPale, 3.0 - std::fabs(r - ring));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint_installer_art <out.bmp>\n");
        return 2;
    }
    Image img(kWidth, kHeight);
    PaintBackground(img);
    PaintCard(img, 60, 130);
    return img.WriteBmp(argv[1]) ? 0 : 1;
}
