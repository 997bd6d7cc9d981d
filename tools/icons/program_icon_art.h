#pragma once

#include "tools/icons/canvas.h"

namespace kz::icons {

enum class IconColours {
  kShaded,  // a lit gradient, for true colour and 256 colours
  kFlat,    // plain areas in the 16 standard colours, which cannot show a gradient
};

// The program's own picture at `size` x `size` pixels, anti-aliased through its alpha: two white
// beamed eighth notes, twins, on a blue disc.
Canvas DrawProgramIcon(int size, IconColours colours);

}  // namespace kz::icons
