#include "app/image_format.h"

namespace kz {
namespace {

constexpr std::size_t kIconDirectorySize = 6;
constexpr std::size_t kIconEntrySize = 16;
constexpr std::size_t kBitmapFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;
// Far beyond any picture the program shows, and small enough that no size sum overflows.
constexpr std::int64_t kLargestSide = 32767;

std::uint32_t U16(std::span<const std::uint8_t> data, std::size_t at) {
  return data[at] | static_cast<std::uint32_t>(data[at + 1]) << 8;
}

std::uint32_t U32(std::span<const std::uint8_t> data, std::size_t at) {
  return U16(data, at) | U16(data, at + 2) << 16;
}

std::int32_t S32(std::span<const std::uint8_t> data, std::size_t at) {
  return static_cast<std::int32_t>(U32(data, at));
}

bool KnownBitCount(std::uint32_t bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
         bitCount == 32;
}

std::int64_t RowBytes(std::int64_t width, std::int64_t bitCount) {
  return (width * bitCount + 31) / 32 * 4;
}

// The fields of a BITMAPINFOHEADER (or a later, longer version) that sizes depend on.
struct InfoHeader {
  std::int64_t headerSize;
  std::int64_t width;
  std::int64_t height;
  std::uint32_t bitCount;
  std::uint32_t compression;
  std::int64_t colourTableBytes;
};

std::optional<InfoHeader> ReadInfoHeader(std::span<const std::uint8_t> data) {
  if (data.size() < kInfoHeaderSize) return std::nullopt;
  InfoHeader header{U32(data, 0), S32(data, 4), S32(data, 8), U16(data, 14), U32(data, 16), 0};
  if (header.headerSize < static_cast<std::int64_t>(kInfoHeaderSize) ||
      !KnownBitCount(header.bitCount) || header.width <= 0 || header.width > kLargestSide) {
    return std::nullopt;
  }
  const std::int64_t coloursUsed = U32(data, 32);
  const std::int64_t fullTable = header.bitCount <= 8 ? std::int64_t{1} << header.bitCount : 0;
  if (coloursUsed > (header.bitCount <= 8 ? fullTable : 256)) return std::nullopt;
  header.colourTableBytes = 4 * (coloursUsed != 0 ? coloursUsed : fullTable);
  return header;
}

}  // namespace

ImageKind ClassifyImageData(std::span<const std::uint8_t> data) {
  if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') return ImageKind::kBitmap;
  if (data.size() >= 4 && U16(data, 0) == 0 && U16(data, 2) == 1) return ImageKind::kIcon;
  return ImageKind::kUnknown;
}

std::optional<IconImageData> FirstIconImage(std::span<const std::uint8_t> data) {
  const std::size_t entry = kIconDirectorySize;
  if (ClassifyImageData(data) != ImageKind::kIcon || data.size() < entry + kIconEntrySize ||
      U16(data, 4) == 0) {
    return std::nullopt;
  }
  const std::uint64_t length = U32(data, entry + 8);
  const std::uint64_t offset = U32(data, entry + 12);
  if (offset > data.size() || length > data.size() - offset) return std::nullopt;
  const std::span<const std::uint8_t> image = data.subspan(offset, length);

  const std::optional<InfoHeader> header = ReadInfoHeader(image);
  if (!header || header->compression != kRgb) return std::nullopt;
  const std::int64_t height = header->height / 2;
  if (height <= 0 || height > kLargestSide) return std::nullopt;
  const std::int64_t needed = header->headerSize + header->colourTableBytes +
                              RowBytes(header->width, header->bitCount) * height +
                              RowBytes(header->width, 1) * height;
  if (needed > static_cast<std::int64_t>(image.size())) return std::nullopt;
  return IconImageData{image, static_cast<std::int32_t>(header->width),
                       static_cast<std::int32_t>(height), static_cast<int>(header->bitCount)};
}

std::optional<BitmapData> ParseBitmapFile(std::span<const std::uint8_t> data) {
  if (ClassifyImageData(data) != ImageKind::kBitmap || data.size() < kBitmapFileHeaderSize) {
    return std::nullopt;
  }
  const std::uint64_t bitsOffset = U32(data, 10);
  const std::optional<InfoHeader> header = ReadInfoHeader(data.subspan(kBitmapFileHeaderSize));
  if (!header) return std::nullopt;
  const bool bitFields =
      header->compression == kBitFields && (header->bitCount == 16 || header->bitCount == 32);
  if (header->compression != kRgb && !bitFields) return std::nullopt;
  const std::int64_t rows = header->height < 0 ? -header->height : header->height;
  if (rows == 0 || rows > kLargestSide) return std::nullopt;

  // A plain BITMAPINFOHEADER is followed by the three colour masks; the longer headers hold them.
  const std::int64_t masks = bitFields && header->headerSize == kInfoHeaderSize ? 12 : 0;
  const std::int64_t infoSize = header->headerSize + masks + header->colourTableBytes;
  const std::int64_t bitsSize = RowBytes(header->width, header->bitCount) * rows;
  const auto available = static_cast<std::int64_t>(data.size());
  if (static_cast<std::int64_t>(kBitmapFileHeaderSize) + infoSize > available ||
      static_cast<std::int64_t>(bitsOffset) <
          static_cast<std::int64_t>(kBitmapFileHeaderSize) + infoSize ||
      static_cast<std::int64_t>(bitsOffset) + bitsSize > available) {
    return std::nullopt;
  }
  return BitmapData{data.subspan(kBitmapFileHeaderSize, static_cast<std::size_t>(infoSize)),
                    data.subspan(bitsOffset, static_cast<std::size_t>(bitsSize)),
                    static_cast<std::int32_t>(header->width),
                    static_cast<std::int32_t>(header->height), static_cast<int>(header->bitCount)};
}

}  // namespace kz
