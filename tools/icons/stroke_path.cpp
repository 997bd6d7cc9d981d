#include "tools/icons/stroke_path.h"

#include <algorithm>
#include <limits>

namespace kz::icons {
namespace {

Point NearestOn(const Segment& segment, Point p) {
  const Point along = segment.to - segment.from;
  const double squared = Dot(along, along);
  if (squared == 0) return segment.from;
  const double t = std::clamp(Dot(p - segment.from, along) / squared, 0.0, 1.0);
  return segment.from + t * along;
}

Point NearestOn(const Arc& arc, Point p) {
  const Point offset = p - arc.centre;
  const bool withinSweep = Cross(arc.from, offset) >= 0 && Cross(offset, arc.to) >= 0;
  if (withinSweep && Dot(offset, offset) > 0) return arc.centre + arc.radius * Normalised(offset);
  const Point start = arc.centre + arc.radius * Normalised(arc.from);
  const Point end = arc.centre + arc.radius * Normalised(arc.to);
  return Length(p - start) <= Length(p - end) ? start : end;
}

}  // namespace

NearestPoint NearestOnPath(std::span<const StrokePart> path, Point p) {
  NearestPoint best{std::numeric_limits<double>::infinity(), {}};
  for (const StrokePart& part : path) {
    const Point q = std::visit([p](const auto& shape) { return NearestOn(shape, p); }, part);
    const double distance = Length(p - q);
    if (distance < best.distance) best = {distance, Normalised(p - q)};
  }
  return best;
}

}  // namespace kz::icons
