#pragma once

#include <windows.h>

#include "platform/win32/win_handles.h"

namespace kz {

// The screen's dots per inch as this program sees them. The manifest declares the program aware
// of the system's DPI (not per monitor), so every window of it has this one value on every
// Windows version, 32-bit and old ones included; Windows itself scales the window when it is
// moved to a monitor of another DPI.
int ScreenDpi();

// The controls' font: the platform's default GUI font at 96 dpi, and the same face at the same
// size in points at any other DPI, so that texts grow with the layout.
class ControlFont {
 public:
  explicit ControlFont(int dpi);
  HFONT get() const { return scaled_.get() ? scaled_.get() : stock_; }

 private:
  HFONT stock_;
  UniqueFont scaled_;
};

}  // namespace kz
