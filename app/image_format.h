#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace kz {

// What the image loader makes of a block of image data: "BM" starts a Windows bitmap file, the
// 16-bit fields 0 (reserved) and 1 (type icon) start an icon file.
enum class ImageKind { kUnknown, kBitmap, kIcon };

ImageKind ClassifyImageData(std::span<const std::uint8_t> data);

// The first image of an icon file: its bytes from the BITMAPINFOHEADER on, and its own size and
// depth from that header (half the bitmap height is the icon height). The directory entry gives
// only where the image lies and how long it is.
struct IconImageData {
  std::span<const std::uint8_t> bytes;
  std::int32_t width = 0;
  std::int32_t height = 0;
  int bitCount = 0;
};

// Nothing unless the whole image (header, colour table, colour bits and mask) lies inside the
// data, so the platform never reads past its end.
std::optional<IconImageData> FirstIconImage(std::span<const std::uint8_t> data);

// An uncompressed (or bit-field) Windows bitmap file: the BITMAPINFO (header, masks and colour
// table) and the pixel rows, each checked to lie inside the data.
struct BitmapData {
  std::span<const std::uint8_t> info;
  std::span<const std::uint8_t> bits;
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative for top-down rows
  int bitCount = 0;
};

std::optional<BitmapData> ParseBitmapFile(std::span<const std::uint8_t> data);

}  // namespace kz
