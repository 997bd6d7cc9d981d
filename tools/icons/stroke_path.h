#pragma once

#include <span>
#include <variant>

#include "tools/icons/geometry.h"

namespace kz::icons {

struct Segment {
  Point from;
  Point to;
};

// A circular arc swept clockwise on the screen from direction `from` to direction `to` (neither
// needs unit length), at most half a turn. Directions instead of angles keep the drawing free of
// trigonometry, so the output is the same bytes with every maths library.
struct Arc {
  Point centre;
  double radius = 0;
  Point from;
  Point to;
};

using StrokePart = std::variant<Segment, Arc>;

struct NearestPoint {
  double distance = 0;
  Point outward;  // unit vector from the nearest point of the centre line towards the query
};

// The point of the centre line nearest to p, over all parts.
NearestPoint NearestOnPath(std::span<const StrokePart> path, Point p);

}  // namespace kz::icons
