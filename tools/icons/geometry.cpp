#include "tools/icons/geometry.h"

#include <cmath>

namespace kz::icons {

double Length(Point a) {
  return std::sqrt(Dot(a, a));
}

Point Normalised(Point a) {
  const double length = Length(a);
  return length > 0 ? (1 / length) * a : Point{};
}

bool InsidePolygon(std::span<const Point> corners, Point p) {
  bool inside = false;
  for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
    const Point a = corners[i];
    const Point b = corners[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
      inside = !inside;
    }
  }
  return inside;
}

void FillPolygon(Canvas& canvas, std::span<const Point> corners, Pixel pixel) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (InsidePolygon(corners, {x + 0.5, y + 0.5})) canvas.At(x, y) = pixel;
    }
  }
}

}  // namespace kz::icons
