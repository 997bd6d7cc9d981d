#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/icons/canvas.h"

namespace kz::icons {

enum class IcoEncoding {
  // 32 bpp with every alpha byte 0, so transparency comes from the AND mask alone. The directory
  // entry holds colour count 32 and planes and bit count 0: a reader takes size and depth from
  // the image's own bitmap header. This is the layout of the built-in button images.
  kMaskedTrueColour,
  // 32 bpp with the picture's alpha, plus the AND mask for readers without alpha.
  kAlphaTrueColour,
  kPalette8,  // 256 colours: the 16 standard ones and the picture's most frequent others
  kPalette4,  // the 16 standard colours
};

struct IcoImage {
  const Canvas* picture;
  IcoEncoding encoding;
};

// A complete ICO file holding the images in the given order. Pixels with alpha below 128 are
// transparent in the mask (and black in the colour bits, so the screen shows through unchanged);
// palette images take the nearest palette colour of the others.
std::vector<std::uint8_t> WriteIcoFile(std::span<const IcoImage> images);

}  // namespace kz::icons
