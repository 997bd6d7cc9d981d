#pragma once

#include <span>

#include "tools/icons/canvas.h"

namespace kz::icons {

struct Point {
  double x = 0;
  double y = 0;
};

constexpr Point operator+(Point a, Point b) {
  return {a.x + b.x, a.y + b.y};
}
constexpr Point operator-(Point a, Point b) {
  return {a.x - b.x, a.y - b.y};
}
constexpr Point operator*(double k, Point a) {
  return {k * a.x, k * a.y};
}
constexpr double Dot(Point a, Point b) {
  return a.x * b.x + a.y * b.y;
}
// Positive when b lies clockwise of a on the screen (y grows downwards).
constexpr double Cross(Point a, Point b) {
  return a.x * b.y - a.y * b.x;
}
double Length(Point a);
Point Normalised(Point a);

// Even-odd rule, so a polygon may be given in either winding.
bool InsidePolygon(std::span<const Point> corners, Point p);

// Sets every pixel whose centre lies inside the polygon. Without anti-aliasing the centre test
// gives the crispest edges.
void FillPolygon(Canvas& canvas, std::span<const Point> corners, Pixel pixel);

}  // namespace kz::icons
