#include "tools/icons/ico_reader.h"

namespace kz::icons {
namespace {

std::uint32_t U16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

std::size_t RowBytes(std::size_t width, std::size_t bitCount) {
  return (width * bitCount + 31) / 32 * 4;
}

}  // namespace

std::optional<Canvas> ReadIcoImage(std::span<const std::uint8_t> file, std::size_t index) {
  if (file.size() < 6 || U16(file, 0) != 0 || U16(file, 2) != 1 || index >= U16(file, 4)) {
    return std::nullopt;
  }
  const std::size_t entry = 6 + 16 * index;
  if (file.size() < entry + 16) return std::nullopt;
  const std::size_t length = U32(file, entry + 8);
  const std::size_t offset = U32(file, entry + 12);
  if (offset > file.size() || length > file.size() - offset || length < 40) return std::nullopt;
  const std::span<const std::uint8_t> image = file.subspan(offset, length);

  const std::size_t headerSize = U32(image, 0);
  const std::size_t width = U32(image, 4);
  const std::size_t height = U32(image, 8) / 2;
  const std::size_t bitCount = U16(image, 14);
  if (headerSize < 40 || width == 0 || height == 0 || width > 256 || height > 256 ||
      U32(image, 16) != 0) {
    return std::nullopt;
  }
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 32) return std::nullopt;
  const std::size_t colours = bitCount <= 8 ? std::size_t{1} << bitCount : 0;
  const std::size_t paletteAt = headerSize;
  const std::size_t colourAt = paletteAt + 4 * colours;
  const std::size_t maskAt = colourAt + RowBytes(width, bitCount) * height;
  if (maskAt + RowBytes(width, 1) * height > image.size()) return std::nullopt;

  bool anyAlpha = false;
  if (bitCount == 32) {
    for (std::size_t i = 0; i < width * height; ++i) anyAlpha |= image[colourAt + 4 * i + 3] != 0;
  }

  Canvas canvas(static_cast<int>(width), static_cast<int>(height));
  for (std::size_t row = 0; row < height; ++row) {
    const std::size_t y = height - 1 - row;  // rows are stored bottom-up
    const std::size_t colourRow = colourAt + row * RowBytes(width, bitCount);
    const std::size_t maskRow = maskAt + row * RowBytes(width, 1);
    for (std::size_t x = 0; x < width; ++x) {
      Pixel pixel;
      if (bitCount == 32) {
        const std::size_t at = colourRow + 4 * x;
        pixel.colour = {image[at + 2], image[at + 1], image[at]};
        pixel.alpha = image[at + 3];
      } else {
        const std::size_t bit = x * bitCount;
        const unsigned shift = static_cast<unsigned>(8 - bitCount - bit % 8);
        const std::size_t entryAt =
            paletteAt + 4 * ((image[colourRow + bit / 8] >> shift) & ((1u << bitCount) - 1));
        pixel.colour = {image[entryAt + 2], image[entryAt + 1], image[entryAt]};
      }
      const bool masked = (image[maskRow + x / 8] >> (7 - x % 8) & 1) != 0;
      if (!anyAlpha) pixel.alpha = masked ? 0 : 255;
      canvas.At(static_cast<int>(x), static_cast<int>(y)) = pixel;
    }
  }
  return canvas;
}

}  // namespace kz::icons
