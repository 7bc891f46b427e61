// A 24-bit bottom-up BMP image in memory and its file writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r, g, b;
};

class Image {
public:
    Image(int width, int height, Rgb fill = {255, 255, 255})
        : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    void Set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[static_cast<size_t>(y) * width_ + x] = c;
    }
    Rgb Get(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    // Mixes `c` into the pixel with weight `alpha` (0..1).
    void Blend(int x, int y, Rgb c, double alpha);
    bool WriteBmp(const std::string& path) const;

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};
