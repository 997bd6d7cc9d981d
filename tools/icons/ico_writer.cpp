#include "tools/icons/ico_writer.h"

#include <algorithm>
#include <limits>
#include <map>
#include <utility>

namespace kz::icons {
namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void U8(unsigned value) { out_.push_back(static_cast<std::uint8_t>(value)); }
  void U16(unsigned value) {
    U8(value & 0xFF);
    U8(value >> 8 & 0xFF);
  }
  void U32(std::uint32_t value) {
    U16(value & 0xFFFF);
    U16(value >> 16);
  }

 private:
  std::vector<std::uint8_t>& out_;
};

using Palette = std::vector<Rgb>;

Palette StandardColours() {
  return {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
          {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
          {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
          {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}

// The standard colours followed by the picture's most frequent other colours, so a smooth
// gradient keeps its steps.
Palette PictureColours(const Canvas& picture) {
  Palette palette = StandardColours();
  std::map<std::uint32_t, int> uses;  // ordered, so ties fall the same way on every run
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const Pixel& pixel = picture.At(x, y);
      if (pixel.alpha < 128) continue;
      ++uses[static_cast<std::uint32_t>(pixel.colour.r << 16 | pixel.colour.g << 8 |
                                        pixel.colour.b)];
    }
  }
  std::vector<std::pair<int, std::uint32_t>> byUse;
  for (const auto& [colour, count] : uses) byUse.push_back({-count, colour});
  std::stable_sort(byUse.begin(), byUse.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [count, colour] : byUse) {
    const Rgb rgb{static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                  static_cast<std::uint8_t>(colour)};
    if (palette.size() == 256) break;
    if (std::find(palette.begin(), palette.end(), rgb) == palette.end()) palette.push_back(rgb);
  }
  palette.resize(256);  // unused entries stay black
  return palette;
}

unsigned NearestIndex(const Palette& palette, Rgb colour) {
  unsigned best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (unsigned i = 0; i < palette.size(); ++i) {
    const int dr = palette[i].r - colour.r;
    const int dg = palette[i].g - colour.g;
    const int db = palette[i].b - colour.b;
    // Weighted towards green as the eye is.
    const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

unsigned BitCount(IcoEncoding encoding) {
  switch (encoding) {
    case IcoEncoding::kPalette4:
      return 4;
    case IcoEncoding::kPalette8:
      return 8;
    default:
      return 32;
  }
}

Palette PaletteOf(const IcoImage& image) {
  switch (image.encoding) {
    case IcoEncoding::kPalette4:
      return StandardColours();
    case IcoEncoding::kPalette8:
      return PictureColours(*image.picture);
    default:
      return {};
  }
}

// Rows of a bitmap are padded to whole 32-bit words.
std::size_t RowBytes(int width, unsigned bitCount) {
  return (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
}

bool Transparent(const Pixel& pixel) {
  return pixel.alpha < 128;
}

// The bitmap header, palette, colour bits and mask of one image, rows bottom-up.
std::vector<std::uint8_t> EncodeImage(const IcoImage& image) {
  const Canvas& picture = *image.picture;
  const int width = picture.Width();
  const int height = picture.Height();
  const unsigned bitCount = BitCount(image.encoding);
  const Palette palette = PaletteOf(image);
  const std::size_t colourRow = RowBytes(width, bitCount);
  const std::size_t maskRow = RowBytes(width, 1);

  std::vector<std::uint8_t> out;
  ByteWriter write(out);
  write.U32(kInfoHeaderSize);
  write.U32(static_cast<std::uint32_t>(width));
  write.U32(static_cast<std::uint32_t>(2 * height));  // colour bits and mask stacked
  write.U16(1);                                       // planes
  write.U16(bitCount);
  write.U32(0);  // BI_RGB
  write.U32(static_cast<std::uint32_t>((colourRow + maskRow) * height));
  write.U32(0);  // pixels per metre, x and y
  write.U32(0);
  write.U32(0);  // colours used: all of the depth
  write.U32(0);  // colours important: all
  for (const Rgb& colour : palette) {
    write.U8(colour.b);
    write.U8(colour.g);
    write.U8(colour.r);
    write.U8(0);
  }

  for (int y = height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    unsigned pendingBits = 0;
    unsigned pendingCount = 0;
    for (int x = 0; x < width; ++x) {
      const Pixel& pixel = picture.At(x, y);
      const Pixel shown = Transparent(pixel) ? Pixel{} : pixel;
      if (bitCount == 32) {
        write.U8(shown.colour.b);
        write.U8(shown.colour.g);
        write.U8(shown.colour.r);
        write.U8(image.encoding == IcoEncoding::kAlphaTrueColour ? pixel.alpha : 0);
        continue;
      }
      pendingBits = pendingBits << bitCount | NearestIndex(palette, shown.colour);
      pendingCount += bitCount;
      if (pendingCount == 8) {
        write.U8(pendingBits);
        pendingBits = pendingCount = 0;
      }
    }
    if (pendingCount > 0) write.U8(pendingBits << (8 - pendingCount));
    out.resize(rowStart + colourRow, 0);
  }

  for (int y = height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    out.resize(rowStart + maskRow, 0);
    for (int x = 0; x < width; ++x) {
      if (Transparent(picture.At(x, y))) out[rowStart + x / 8] |= 0x80 >> (x % 8);
    }
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> WriteIcoFile(std::span<const IcoImage> images) {
  std::vector<std::vector<std::uint8_t>> encoded;
  for (const IcoImage& image : images) encoded.push_back(EncodeImage(image));

  std::vector<std::uint8_t> out;
  ByteWriter write(out);
  write.U16(0);  // reserved
  write.U16(1);  // type: icon
  write.U16(static_cast<unsigned>(images.size()));
  std::size_t offset = kDirectoryHeaderSize + kDirectoryEntrySize * images.size();
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IcoImage& image = images[i];
    const unsigned bitCount = BitCount(image.encoding);
    write.U8(static_cast<unsigned>(image.picture->Width()) & 0xFF);  // 256 is written as 0
    write.U8(static_cast<unsigned>(image.picture->Height()) & 0xFF);
    if (image.encoding == IcoEncoding::kMaskedTrueColour) {
      write.U8(32);
      write.U8(0);
      write.U16(0);
      write.U16(0);
    } else {
      write.U8(bitCount == 4 ? 16 : 0);
      write.U8(0);
      write.U16(1);
      write.U16(bitCount);
    }
    write.U32(static_cast<std::uint32_t>(encoded[i].size()));
    write.U32(static_cast<std::uint32_t>(offset));
    offset += encoded[i].size();
  }
  for (const auto& bytes : encoded) out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

}  // namespace kz::icons
