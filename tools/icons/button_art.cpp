#include "tools/icons/button_art.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/icons/geometry.h"
#include "tools/icons/letters.h"

namespace kz::icons {
namespace {

constexpr Pixel kBlack = Opaque(Grey(0));

Canvas PlayerCanvas() {
  return Canvas(kPlayerImageWidth, kPlayerImageHeight);
}

void FillTriangle(Canvas& canvas, Point a, Point b, Point c) {
  const Point corners[] = {a, b, c};
  FillPolygon(canvas, corners, kBlack);
}

void FillBox(Canvas& canvas, double left, double top, double right, double bottom) {
  const Point corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  FillPolygon(canvas, corners, kBlack);
}

Canvas MirroredLeftToRight(const Canvas& canvas) {
  Canvas mirrored(canvas.Width(), canvas.Height());
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      mirrored.At(canvas.Width() - 1 - x, y) = canvas.At(x, y);
    }
  }
  return mirrored;
}

struct LetteringStyle {
  double strokeRadius;  // half the width of a letter's grey body
  double outline;       // width of the black outline around it
  Point shadowOffset;   // where the outline drawing behind the letters lies
  double gap;           // between the outlines of neighbouring letters
};

// Relative widths of the letters' centre-line boxes.
double WidthFactor(char letter) {
  return letter == 'T' ? 1.2 : 1.0;
}

// The grey of the letter body: a round stroke lit from the upper left, so the letters look like
// bent tubes.
Rgb ShadeTube(Point outward, double depth) {
  const double nz = std::sqrt(std::max(0.0, 1 - depth * depth));
  const Point light = Normalised({-0.55, -0.75});
  const double lightZ = 0.9;
  const double norm = std::sqrt(Dot(light, light) + lightZ * lightZ);
  const double diffuse = std::max(0.0, (depth * Dot(outward, light) + nz * lightZ) / norm);
  const double highlight = diffuse * diffuse * diffuse * diffuse;
  const double level = 92 + 120 * diffuse + 40 * highlight * highlight;
  return Grey(static_cast<std::uint8_t>(std::min(255.0, level)));
}

}  // namespace

Canvas DrawPlay() {
  Canvas canvas = PlayerCanvas();
  FillTriangle(canvas, {10, 3}, {10, 17}, {21, 10});
  return canvas;
}

Canvas DrawPause() {
  Canvas canvas = PlayerCanvas();
  FillBox(canvas, 9, 3, 13, 17);
  FillBox(canvas, 17, 3, 21, 17);
  return canvas;
}

Canvas DrawStop() {
  Canvas canvas = PlayerCanvas();
  FillBox(canvas, 9, 4, 21, 16);
  return canvas;
}

Canvas DrawRewind() {
  Canvas canvas = PlayerCanvas();
  FillTriangle(canvas, {4, 10}, {15, 3}, {15, 17});
  FillTriangle(canvas, {15, 10}, {26, 3}, {26, 17});
  return canvas;
}

// Mirrored pixel by pixel: sampling mirrored triangles would round their slanted edges apart.
Canvas DrawForward() {
  return MirroredLeftToRight(DrawRewind());
}

Canvas DrawLettering(std::string_view capitals) {
  Canvas canvas(kSearchImageWidth, kSearchImageHeight);
  const bool wide = capitals.size() <= 2;
  const LetteringStyle style =
      wide ? LetteringStyle{3.5, 1.0, {2, 2}, 1.0} : LetteringStyle{2.5, 1.0, {2, 2}, 0.0};
  const double rim = style.strokeRadius + style.outline;

  // Centre-line boxes share one base width chosen so the lettering fills the picture.
  double factors = 0;
  for (char letter : capitals) factors += WidthFactor(letter);
  const double count = static_cast<double>(capitals.size());
  const double room = canvas.Width() - style.shadowOffset.x - 2;  // one pixel spare each side
  const double baseWidth = (room - count * 2 * rim - (count - 1) * style.gap) / factors;
  const double height = canvas.Height() - style.shadowOffset.y - 2 - 2 * rim;

  std::vector<StrokePart> path;
  double left = 1 + rim;
  for (char letter : capitals) {
    const double width = baseWidth * WidthFactor(letter);
    const std::vector<StrokePart> glyph = LetterPath(letter, {left, 1 + rim}, width, height);
    path.insert(path.end(), glyph.begin(), glyph.end());
    left += width + 2 * rim + style.gap;
  }

  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const Point centre{x + 0.5, y + 0.5};
      const NearestPoint front = NearestOnPath(path, centre);
      if (front.distance <= style.strokeRadius) {
        canvas.At(x, y) = Opaque(ShadeTube(front.outward, front.distance / style.strokeRadius));
      } else if (front.distance <= rim) {
        canvas.At(x, y) = kBlack;
      } else {
        const double behind = NearestOnPath(path, centre - style.shadowOffset).distance;
        if (behind > style.strokeRadius && behind <= rim) canvas.At(x, y) = kBlack;
      }
    }
  }
  return canvas;
}

}  // namespace kz::icons
