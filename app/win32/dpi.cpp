#include "app/win32/dpi.h"

#include "app/layout.h"

namespace kz {
namespace {

// The default GUI font's size: 8 points, 11 pixels at 96 dpi.
constexpr int kControlFontPoints = 8;

}  // namespace

int ScreenDpi() {
  ScreenDc screen = GetScreenDc();
  int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kLayoutDpi;
}

ControlFont::ControlFont(int dpi) : stock_(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
  if (dpi == kLayoutDpi) return;
  LOGFONTW face{};
  if (!GetObjectW(stock_, sizeof(face), &face)) return;
  // The stock font is not scaled alike on every Windows version; the size in points is.
  face.lfHeight = -MulDiv(kControlFontPoints, dpi, 72);
  face.lfWidth = 0;
  scaled_.reset(CreateFontIndirectW(&face));
}

}  // namespace kz
