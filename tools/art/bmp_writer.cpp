#include "bmp_writer.h"

#include <algorithm>
#include <fstream>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

void Image::Blend(int x, int y, Rgb c, double alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    alpha = std::clamp(alpha, 0.0, 1.0);
    Rgb& p = pixels_[static_cast<size_t>(y) * width_ + x];
    auto mix = [alpha](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>(a + (b - a) * alpha + 0.5);
    };
    p = {mix(p.r, c.r), mix(p.g, c.g), mix(p.b, c.b)};
}

bool Image::WriteBmp(const std::string& path) const {
    const uint32_t rowSize = (static_cast<uint32_t>(width_) * 3 + 3) & ~3u;
    const uint32_t dataSize = rowSize * static_cast<uint32_t>(height_);
    std::vector<uint8_t> out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + dataSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width_));
    Put32(out, static_cast<uint32_t>(height_));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, dataSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const Rgb p = Get(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (uint32_t pad = static_cast<uint32_t>(width_) * 3; pad < rowSize; ++pad) out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
