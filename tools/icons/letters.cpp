#include "tools/icons/letters.h"

namespace kz::icons {
namespace {

constexpr Point kRight{1, 0};
constexpr Point kLeft{-1, 0};
constexpr Point kUp{0, -1};
constexpr Point kDown{0, 1};
constexpr Point kUpRight{1, -1};
constexpr Point kDownLeft{-1, 1};

// Local coordinates of the centre-line box, moved to its place.
struct Box {
  Point topLeft;
  Point At(double x, double y) const { return topLeft + Point{x, y}; }
};

std::vector<StrokePart> LetterO(Box box, double w, double h) {
  const double r = w / 2;
  return {Arc{box.At(r, r), r, kLeft, kRight}, Segment{box.At(w, r), box.At(w, h - r)},
          Arc{box.At(r, h - r), r, kRight, kLeft}, Segment{box.At(0, h - r), box.At(0, r)}};
}

std::vector<StrokePart> LetterG(Box box, double w, double h) {
  const double r = w / 2;
  const double bar = h * 0.56;
  return {Arc{box.At(r, r), r, kLeft, kUpRight}, Segment{box.At(0, r), box.At(0, h - r)},
          Arc{box.At(r, h - r), r, kRight, kLeft}, Segment{box.At(w, h - r), box.At(w, bar)},
          Segment{box.At(w * 0.48, bar), box.At(w, bar)}};
}

std::vector<StrokePart> LetterS(Box box, double w, double h) {
  // Two bowls of half the height each, their round ends joined in the middle.
  const double r = w / 2;
  const double middle = h / 2;
  return {Arc{box.At(r, r), r, kLeft, kUpRight},
          Segment{box.At(0, r), box.At(0, middle - r)},
          Arc{box.At(r, middle - r), r, kDown, kLeft},
          Arc{box.At(r, middle + r), r, kUp, kRight},
          Segment{box.At(w, middle + r), box.At(w, h - r)},
          Arc{box.At(r, h - r), r, kRight, kDownLeft}};
}

std::vector<StrokePart> LetterT(Box box, double w, double h) {
  return {Segment{box.At(0, 0), box.At(w, 0)}, Segment{box.At(w / 2, 0), box.At(w / 2, h)}};
}

std::vector<StrokePart> LetterP(Box box, double w, double h) {
  const double r = w / 2;
  const double bowl = h * 0.55;
  return {Segment{box.At(0, h), box.At(0, 0)},
          Segment{box.At(0, 0), box.At(w - r, 0)},
          Arc{box.At(w - r, r), r, kUp, kRight},
          Segment{box.At(w, r), box.At(w, bowl - r)},
          Arc{box.At(w - r, bowl - r), r, kRight, kDown},
          Segment{box.At(w - r, bowl), box.At(0, bowl)}};
}

}  // namespace

std::vector<StrokePart> LetterPath(char letter, Point topLeft, double width, double height) {
  const Box box{topLeft};
  switch (letter) {
    case 'G':
      return LetterG(box, width, height);
    case 'O':
      return LetterO(box, width, height);
    case 'S':
      return LetterS(box, width, height);
    case 'T':
      return LetterT(box, width, height);
    case 'P':
      return LetterP(box, width, height);
    default:
      return {};
  }
}

}  // namespace kz::icons
