#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "tools/icons/canvas.h"

namespace kz::icons {

// Decodes image `index` of an ICO file (1, 4, 8 or 32 bpp, uncompressed) back into a picture:
// opaque where the mask is clear, with 32 bpp alpha taken when any alpha byte is set. Nothing
// for data it does not understand.
std::optional<Canvas> ReadIcoImage(std::span<const std::uint8_t> file, std::size_t index);

}  // namespace kz::icons
