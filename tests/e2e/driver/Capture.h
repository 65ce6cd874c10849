#pragma once

// A picture of what was on the screen, read pixel by pixel and saved as a bitmap file.
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace window_driver {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
std::string ToString(Rgb colour); // "r,g,b"
Rgb FromColorRef(COLORREF colour);

// What is on the screen: pixels copied from the screen, so overlapping windows count.
class Capture {
  public:
    Capture() = default;
    Capture(int width, int height, std::vector<Rgb> pixels)
        : width_(width), height_(height), pixels_(std::move(pixels)) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return pixels_.empty(); }
    Rgb At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    bool SameAs(const Capture& other) const {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }
    // Counts the pixels equal to the colour inside the rectangle (clipped to the capture).
    int Count(const RECT& area, Rgb colour) const;
    bool SaveBmp(const std::string& path) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

} // namespace window_driver
