#pragma once

#include <string_view>

#include "tools/icons/canvas.h"

namespace kz::icons {

// The pictures of the player buttons (30 x 20) and of the search button (62 x 46). Every pixel is
// either opaque or fully transparent: the button images carry their transparency in the icon mask
// alone.
constexpr int kPlayerImageWidth = 30;
constexpr int kPlayerImageHeight = 20;
constexpr int kSearchImageWidth = 62;
constexpr int kSearchImageHeight = 46;

Canvas DrawPlay();
Canvas DrawPause();
Canvas DrawStop();
Canvas DrawRewind();
Canvas DrawForward();

// Large grey-shaded capitals with black outlines, in front of their black outline drawing (the
// same letters as outlines, set off down and to the right), centred on the search image.
Canvas DrawLettering(std::string_view capitals);

}  // namespace kz::icons
