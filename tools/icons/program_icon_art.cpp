#include "tools/icons/program_icon_art.h"

#include <algorithm>
#include <optional>

#include "tools/icons/geometry.h"

namespace kz::icons {
namespace {

// The artwork is laid out on a 48 x 48 grid and scaled to each size.
constexpr double kGrid = 48;
constexpr int kSamplesPerAxis = 8;

constexpr Rgb kDiscTop{96, 176, 255};
constexpr Rgb kDiscBottom{18, 68, 168};
constexpr Rgb kDiscRim{12, 40, 110};
constexpr Rgb kNoteShadow{10, 34, 96};
constexpr Rgb kNote{255, 255, 255};
constexpr Rgb kFlatDisc{0, 0, 255};
constexpr Rgb kFlatRim{0, 0, 128};

struct Note {
  Point head;
  double stemTop;
};

constexpr Note kNotes[] = {{{15.5, 34.5}, 12}, {{31.5, 30.5}, 8}};
constexpr double kHeadLong = 5.8;
constexpr double kHeadShort = 4.1;
constexpr double kBeamThickness = 6;

Rgb Mix(Rgb a, Rgb b, double t) {
  const auto channel = [t](int from, int to) {
    return static_cast<std::uint8_t>(from + (to - from) * t + 0.5);
  };
  return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

class NotePair {
 public:
  explicit NotePair(double stemWidth) : stemWidth_(stemWidth) {}

  bool Covers(Point p) const {
    for (const Note& note : kNotes) {
      if (InHead(note, p) || InStem(note, p)) return true;
    }
    return InBeam(p);
  }

 private:
  // The heads lean up to the right, as printed notes do.
  static bool InHead(const Note& note, Point p) {
    const Point along = Normalised({1, -0.42});
    const Point across{-along.y, along.x};
    const Point d = p - note.head;
    const double u = Dot(d, along) / kHeadLong;
    const double v = Dot(d, across) / kHeadShort;
    return u * u + v * v <= 1;
  }

  double StemRight(const Note& note) const { return note.head.x + kHeadLong - 0.3; }

  bool InStem(const Note& note, Point p) const {
    return p.x >= StemRight(note) - stemWidth_ && p.x <= StemRight(note) && p.y >= note.stemTop &&
           p.y <= note.head.y;
  }

  bool InBeam(Point p) const {
    const Note& first = kNotes[0];
    const Note& second = kNotes[1];
    const double left = StemRight(first) - stemWidth_;
    const double right = StemRight(second);
    const Point corners[] = {{left, first.stemTop},
                             {right, second.stemTop},
                             {right, second.stemTop + kBeamThickness},
                             {left, first.stemTop + kBeamThickness}};
    return InsidePolygon(corners, p);
  }

  double stemWidth_;
};

std::optional<Rgb> SampleScene(const NotePair& notes, IconColours colours, Point p) {
  const bool flat = colours == IconColours::kFlat;
  if (notes.Covers(p)) return kNote;
  const Point centre{24, 24};
  const double distance = Length(p - centre);
  if (distance > 23) return std::nullopt;
  if (distance > 21.6) return flat ? kFlatRim : kDiscRim;
  if (notes.Covers(p - Point{1.2, 1.2})) return flat ? kFlatRim : kNoteShadow;
  if (flat) return kFlatDisc;
  return Mix(kDiscTop, kDiscBottom, std::clamp((p.y - 2) / 44, 0.0, 1.0));
}

}  // namespace

Canvas DrawProgramIcon(int size, IconColours colours) {
  Canvas canvas(size, size);
  const double scale = kGrid / size;
  // Stems stay at least one pixel wide at the small sizes.
  const NotePair notes(std::max(2.6, scale));
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int covered = 0;
      int r = 0;
      int g = 0;
      int b = 0;
      for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
        for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
          const Point p{(x + (sx + 0.5) / kSamplesPerAxis) * scale,
                        (y + (sy + 0.5) / kSamplesPerAxis) * scale};
          if (const std::optional<Rgb> colour = SampleScene(notes, colours, p)) {
            ++covered;
            r += colour->r;
            g += colour->g;
            b += colour->b;
          }
        }
      }
      if (covered == 0) continue;
      const auto average = [covered](int sum) {
        return static_cast<std::uint8_t>((sum + covered / 2) / covered);
      };
      constexpr int kSamples = kSamplesPerAxis * kSamplesPerAxis;
      canvas.At(x, y) = Pixel{{average(r), average(g), average(b)},
                              static_cast<std::uint8_t>((covered * 255 + kSamples / 2) / kSamples)};
    }
  }
  return canvas;
}

}  // namespace kz::icons
