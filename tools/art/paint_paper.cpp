// Paints the 32 paper tiles of the skin library: quiet, light, seamless
// squares of grain and fibres in soft colours, one file per bitmap id
// (paper_201.bmp .. paper_232.bmp). Everything wraps around the tile's edges,
// so tiled copies meet without a seam.
#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bmp_writer.h"

namespace {

constexpr int kSize = 128;
constexpr int kFirstId = 201;
constexpr int kCount = 32;

enum class Texture { Plain, Laid, Flecked, Cloudy };

struct Paper {
    Rgb base;
    Texture texture;
    int cloudCell;      // lattice step of the cloudiness, divides kSize
    double cloud;       // strength of the cloudiness, in levels
    double grain;       // strength of the fine grain, in levels
    int fibres;         // number of fibres
    double fibreShade;  // darkening (positive) or lightening (negative) of a fibre
};

// A light, softly tinted colour: hue in degrees, saturation and lightness 0..1.
Rgb Tint(double hue, double saturation, double lightness) {
    const double c = (1 - std::fabs(2 * lightness - 1)) * saturation;
    const double h = std::fmod(hue, 360.0) / 60.0;
    const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
    case 0: r = c; g = x; break;
    case 1: r = x; g = c; break;
    case 2: g = c; b = x; break;
    case 3: g = x; b = c; break;
    case 4: r = x; b = c; break;
    default: r = c; b = x; break;
    }
    const double m = lightness - c / 2;
    return Rgb{static_cast<uint8_t>(std::lround((r + m) * 255)), static_cast<uint8_t>(std::lround((g + m) * 255)),
               static_cast<uint8_t>(std::lround((b + m) * 255))};
}

// Value noise on a torus: a random lattice of `cell`-pixel steps, smoothly
// interpolated, wrapping at the tile's edges.
class TorusNoise {
public:
    TorusNoise(int cell, std::mt19937& rng) : cell_(cell), n_(kSize / cell), values_(n_ * n_) {
        std::uniform_real_distribution<double> d(-1.0, 1.0);
        for (double& v : values_) v = d(rng);
    }
    double At(int x, int y) const {
        const double fx = static_cast<double>(x) / cell_;
        const double fy = static_cast<double>(y) / cell_;
        const int x0 = static_cast<int>(fx);
        const int y0 = static_cast<int>(fy);
        const double tx = Smooth(fx - x0);
        const double ty = Smooth(fy - y0);
        const double a = Lattice(x0, y0), b = Lattice(x0 + 1, y0);
        const double c = Lattice(x0, y0 + 1), d = Lattice(x0 + 1, y0 + 1);
        return (a * (1 - tx) + b * tx) * (1 - ty) + (c * (1 - tx) + d * tx) * ty;
    }

private:
    static double Smooth(double t) { return t * t * (3 - 2 * t); }
    double Lattice(int i, int j) const { return values_[(j % n_) * n_ + (i % n_)]; }
    int cell_;
    int n_;
    std::vector<double> values_;
};

uint8_t Clamp(double v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : std::lround(v)); }

Paper PaperFor(int index) {
    static constexpr std::array<int, 3> kCells = {16, 32, 64};
    Paper p;
    // Sixteen hues, stepped so that neighbouring ids lie far apart, each in a
    // pale and a stronger tint.
    const double hue = ((index * 5) % 16) * 22.5;
    p.base = index < 16 ? Tint(hue, 0.30, 0.935) : Tint(hue + 11.25, 0.55, 0.92);
    p.texture = static_cast<Texture>(index % 4);
    p.cloudCell = kCells[(index / 4) % kCells.size()];
    p.cloud = p.texture == Texture::Cloudy ? 5.0 : 2.5;
    p.grain = 1.5 + (index % 3) * 0.6;
    p.fibres = p.texture == Texture::Laid ? 6 : 14 + (index * 7) % 30;
    p.fibreShade = (index % 5 == 4) ? -6.0 : 5.0 + (index % 3);
    return p;
}

Image PaintTile(int index) {
    const Paper paper = PaperFor(index);
    std::mt19937 rng(0x5EED0000u + static_cast<unsigned>(index));
    const TorusNoise cloud(paper.cloudCell, rng);
    const TorusNoise grain(4, rng);
    const TorusNoise detail(8, rng);
    std::uniform_real_distribution<double> speckle(-1.0, 1.0);

    std::vector<double> shade(kSize * kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            double v = paper.cloud * cloud.At(x, y) + paper.grain * (0.6 * grain.At(x, y) + 0.4 * detail.At(x, y)) +
                       0.8 * speckle(rng);
            // Laid paper: the faint lines of the mould's wires, 8 pixels apart.
            if (paper.texture == Texture::Laid && y % 8 == 0) v -= 3.0;
            shade[y * kSize + x] = v;
        }
    }

    // Fibres: short, gently bending strokes, faint at their ends.
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int f = 0; f < paper.fibres; ++f) {
        double x = unit(rng) * kSize, y = unit(rng) * kSize;
        double angle = unit(rng) * 2 * M_PI;
        const int length = 12 + static_cast<int>(unit(rng) * 30);
        for (int s = 0; s < length; ++s) {
            const double fade = std::sin(M_PI * s / length);
            const int px = ((static_cast<int>(std::floor(x)) % kSize) + kSize) % kSize;
            const int py = ((static_cast<int>(std::floor(y)) % kSize) + kSize) % kSize;
            shade[py * kSize + px] -= paper.fibreShade * fade;
            angle += (unit(rng) - 0.5) * 0.35;
            x += std::cos(angle);
            y += std::sin(angle);
        }
    }

    if (paper.texture == Texture::Flecked) {
        // Flecks: small darker specks of fibre ends.
        for (int i = 0; i < 60; ++i) {
            const int x = static_cast<int>(unit(rng) * kSize), y = static_cast<int>(unit(rng) * kSize);
            shade[y * kSize + x] -= 10.0 + 8.0 * unit(rng);
            shade[y * kSize + (x + 1) % kSize] -= 5.0;
        }
    }

    Image tile(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double s = shade[y * kSize + x];
            tile.Set(x, y, Rgb{Clamp(paper.base.r + s), Clamp(paper.base.g + s), Clamp(paper.base.b + s)});
        }
    }
    return tile;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint_paper <folder>\n");
        return 2;
    }
    for (int i = 0; i < kCount; ++i) {
        const std::string path = std::string(argv[1]) + "/paper_" + std::to_string(kFirstId + i) + ".bmp";
        if (!PaintTile(i).WriteBmp(path)) {
            std::fprintf(stderr, "paint_paper: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
