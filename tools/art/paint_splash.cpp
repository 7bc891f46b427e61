// Paints the start-up splash: pale paper with a contactless card and its
// field lines at the sides, leaving the middle calm for the red caption.
#include <cmath>
#include <cstdio>

#include "bmp_writer.h"
#include "shapes.h"

namespace {

constexpr int kWidth = 538;
constexpr int kHeight = 260;
constexpr Rgb kInk{41, 101, 132};

void PaintBackground(Image& img) {
    for (int y = 0; y < kHeight; ++y) {
        const double t = static_cast<double>(y) / (kHeight - 1);
        const Rgb c{static_cast<uint8_t>(248 - 22 * t), static_cast<uint8_t>(250 - 14 * t),
                    static_cast<uint8_t>(252 - 8 * t)};
        for (int x = 0; x < kWidth; ++x) img.Set(x, y, c);
    }
}

void PaintCard(Image& img, double cx, double cy) {
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double d = RoundedRectDistance(x + 0.5, y + 0.5, cx, cy, 46, 29, 7);
            if (d < 0) img.Blend(x, y, Rgb{226, 236, 243}, 0.9);
            img.Blend(x, y, kInk, 1.0 - std::fabs(d) / 1.2);
            // the chip
            const double chip = RoundedRectDistance(x + 0.5, y + 0.5, cx - 22, cy - 3, 10, 8, 2);
            if (chip < 0) img.Blend(x, y, Rgb{196, 168, 96}, 0.85);
            img.Blend(x, y, Rgb{150, 120, 60}, 1.0 - std::fabs(chip) / 1.0);
        }
    }
}

void PaintWaves(Image& img, double cx, double cy, double direction) {
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double dx = (x + 0.5 - cx) * direction;
            const double dy = y + 0.5 - cy;
            if (dx <= 0) continue;
            const double angle = std::atan2(std::fabs(dy), dx);
            if (angle > 0.7) continue;
            const double r = std::hypot(dx, dy);
            for (double ring : {58.0, 70.0, 82.0}) {
                img.Blend(x, y, kInk, (1.0 - std::fabs(r - ring) / 1.6) * (1.0 - angle / 0.7) * 0.8);
            }
        }
    }
}

void PaintRules(Image& img) {
    for (int x = 24; x < kWidth - 24; ++x) {
        img.Blend(x, 30, kInk, 0.35);
        img.Blend(x, kHeight - 31, kInk, 0.35);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint_splash <out.bmp>\n");
        return 2;
    }
    Image img(kWidth, kHeight);
    PaintBackground(img);
    PaintRules(img);
    PaintCard(img, 70, kHeight / 2.0);
    PaintWaves(img, 70, kHeight / 2.0, 1.0);
    PaintCard(img, kWidth - 70, kHeight / 2.0);
    PaintWaves(img, kWidth - 70, kHeight / 2.0, -1.0);
    return img.WriteBmp(argv[1]) ? 0 : 1;
}
