#include "app/layout.h"

#include <cstdint>

namespace kz {

int ScaleToDpi(int length, int dpi) {
  std::int64_t scaled = static_cast<std::int64_t>(length) * dpi;
  // Half a pixel rounds away from zero, as MulDiv does.
  std::int64_t half = kLayoutDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kLayoutDpi
                                      : (scaled - half) / kLayoutDpi);
}

LayoutRect ScaleToDpi(const LayoutRect& rect, int dpi) {
  int left = ScaleToDpi(rect.x, dpi);
  int top = ScaleToDpi(rect.y, dpi);
  return {left, top, ScaleToDpi(rect.right(), dpi) - left, ScaleToDpi(rect.bottom(), dpi) - top};
}

}  // namespace kz
