#pragma once

#include <cstdint>
#include <vector>

namespace kz::icons {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A straight (not premultiplied) colour with coverage: alpha 0 is transparent, 255 opaque.
struct Pixel {
  Rgb colour;
  std::uint8_t alpha = 0;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

constexpr Pixel Opaque(Rgb colour) {
  return Pixel{colour, 255};
}
constexpr Rgb Grey(std::uint8_t level) {
  return Rgb{level, level, level};
}

// A picture in top-down rows, fully transparent when created.
class Canvas {
 public:
  Canvas(int width, int height)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height)) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  Pixel& At(int x, int y) { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
  const Pixel& At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
  friend bool operator==(const Canvas&, const Canvas&) = default;

 private:
  int width_;
  int height_;
  std::vector<Pixel> pixels_;
};

}  // namespace kz::icons
