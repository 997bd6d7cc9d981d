#include "app/image_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tools/icons/button_art.h"
#include "tools/icons/ico_writer.h"
#include "tools/icons/program_icon_art.h"

namespace kz {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = value & 0xFF;
  bytes[at + 1] = value >> 8 & 0xFF;
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  Put16(bytes, at, value & 0xFFFF);
  Put16(bytes, at + 2, value >> 16);
}

Bytes PlayIcon() {
  const icons::Canvas picture = icons::DrawPlay();
  const icons::IcoImage image{&picture, icons::IcoEncoding::kMaskedTrueColour};
  return icons::WriteIcoFile({&image, 1});
}

// A bitmap file of `width` x `height` pixels, uncompressed, with `colours` table entries.
Bytes BitmapFile(std::int32_t width, std::int32_t height, std::uint32_t bitCount,
                 std::uint32_t colours = 0) {
  const std::size_t stride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
  const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
  const std::size_t bitsAt = 14 + 40 + 4 * colours;
  Bytes file(bitsAt + stride * rows, 0x5A);
  file[0] = 'B';
  file[1] = 'M';
  Put32(file, 2, static_cast<std::uint32_t>(file.size()));
  Put32(file, 6, 0);
  Put32(file, 10, static_cast<std::uint32_t>(bitsAt));
  Put32(file, 14, 40);
  Put32(file, 18, static_cast<std::uint32_t>(width));
  Put32(file, 22, static_cast<std::uint32_t>(height));
  Put16(file, 26, 1);
  Put16(file, 28, bitCount);
  Put32(file, 30, 0);
  for (std::size_t at = 34; at < 54; ++at) file[at] = 0;
  Put32(file, 46, colours);
  return file;
}

TEST(ImageData, IsClassifiedByItsFirstBytes) {
  EXPECT_EQ(ClassifyImageData(BitmapFile(2, 2, 24)), ImageKind::kBitmap);
  EXPECT_EQ(ClassifyImageData(PlayIcon()), ImageKind::kIcon);
  EXPECT_EQ(ClassifyImageData(Bytes{0, 0, 2, 0, 1, 0}), ImageKind::kUnknown);  // a cursor
  EXPECT_EQ(ClassifyImageData(Bytes{'B'}), ImageKind::kUnknown);
  EXPECT_EQ(ClassifyImageData(Bytes{0, 0, 1}), ImageKind::kUnknown);
  EXPECT_EQ(ClassifyImageData(Bytes{}), ImageKind::kUnknown);
}

TEST(FirstIconImage, TakesSizeAndDepthFromTheBitmapHeader) {
  const Bytes file = PlayIcon();
  const auto image = FirstIconImage(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 30);
  EXPECT_EQ(image->height, 20);
  EXPECT_EQ(image->bitCount, 32);
  EXPECT_EQ(image->bytes.data(), file.data() + 22);
  EXPECT_EQ(image->bytes.size(), 2520u);

  // The directory's own size and depth fields play no part.
  Bytes misleading = file;
  misleading[6] = 16;
  misleading[7] = 16;
  Put16(misleading, 12, 4);
  const auto same = FirstIconImage(misleading);
  ASSERT_TRUE(same);
  EXPECT_EQ(same->width, 30);
  EXPECT_EQ(same->height, 20);
  EXPECT_EQ(same->bitCount, 32);
}

TEST(FirstIconImage, IsTheFirstOfSeveral) {
  const icons::Canvas large = icons::DrawProgramIcon(32, icons::IconColours::kFlat);
  const icons::Canvas small = icons::DrawProgramIcon(16, icons::IconColours::kShaded);
  const icons::IcoImage images[] = {{&large, icons::IcoEncoding::kPalette4},
                                    {&small, icons::IcoEncoding::kAlphaTrueColour}};
  const auto image = FirstIconImage(icons::WriteIcoFile(images));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 32);
  EXPECT_EQ(image->height, 32);
  EXPECT_EQ(image->bitCount, 4);
}

TEST(FirstIconImage, RejectsDataThatDoesNotHoldTheWholeImage) {
  const Bytes file = PlayIcon();
  for (std::size_t length = 0; length < file.size(); ++length) {
    ASSERT_FALSE(FirstIconImage({file.data(), length})) << "cut to " << length;
  }
  const auto broken = [&file](std::size_t at, std::uint32_t value, bool wide = true) {
    Bytes changed = file;
    wide ? Put32(changed, at, value) : Put16(changed, at, value);
    return FirstIconImage(changed).has_value();
  };
  EXPECT_FALSE(broken(4, 0, false));         // no images
  EXPECT_FALSE(broken(14, 2521));            // length beyond the end
  EXPECT_FALSE(broken(14, 0xFFFFFFFF));      // length that wraps
  EXPECT_FALSE(broken(18, 0xFFFFFFF0));      // offset that wraps
  EXPECT_FALSE(broken(18, 23));              // image shifted past the end
  EXPECT_FALSE(broken(14, 2519));            // one byte short of the mask
  EXPECT_FALSE(broken(22, 0x474E5089));      // a PNG image, not a bitmap
  EXPECT_FALSE(broken(22 + 4, 0));           // no width
  EXPECT_FALSE(broken(22 + 4, 0x80000000));  // negative width
  EXPECT_FALSE(broken(22 + 8, 1));           // less than one row
  EXPECT_FALSE(broken(22 + 8, 42));          // taller than the data holds
  EXPECT_FALSE(broken(22 + 14, 3, false));   // no such depth
  EXPECT_FALSE(broken(22 + 16, 1));          // compressed
  EXPECT_FALSE(broken(22 + 32, 1));          // a colour table that is not there
  EXPECT_TRUE(broken(22 + 8, 41));           // odd height: half of it, rounded down
}

TEST(ParseBitmapFile, FindsHeaderTableAndRows) {
  const Bytes file = BitmapFile(3, 2, 24);
  const auto bitmap = ParseBitmapFile(file);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->width, 3);
  EXPECT_EQ(bitmap->height, 2);
  EXPECT_EQ(bitmap->bitCount, 24);
  EXPECT_EQ(bitmap->info.data(), file.data() + 14);
  EXPECT_EQ(bitmap->info.size(), 40u);
  EXPECT_EQ(bitmap->bits.data(), file.data() + 54);
  EXPECT_EQ(bitmap->bits.size(), 24u);  // rows of 9 bytes padded to 12

  const auto palette = ParseBitmapFile(BitmapFile(5, 1, 8, 2));
  ASSERT_TRUE(palette);
  EXPECT_EQ(palette->info.size(), 48u);
  EXPECT_EQ(palette->bits.size(), 8u);

  Bytes fullTable = BitmapFile(8, 1, 1, 2);
  Put32(fullTable, 46, 0);  // 0 colours used: the full table of the depth
  ASSERT_TRUE(ParseBitmapFile(fullTable));
  EXPECT_EQ(ParseBitmapFile(fullTable)->info.size(), 48u);

  const auto topDown = ParseBitmapFile(BitmapFile(4, -3, 32));
  ASSERT_TRUE(topDown);
  EXPECT_EQ(topDown->height, -3);
  EXPECT_EQ(topDown->bits.size(), 48u);

  Bytes fields = BitmapFile(2, 2, 16, 3);  // room for the three colour masks
  Put32(fields, 30, 3);                    // BI_BITFIELDS
  Put32(fields, 46, 0);
  const auto withMasks = ParseBitmapFile(fields);
  ASSERT_TRUE(withMasks);
  EXPECT_EQ(withMasks->info.size(), 52u);
}

TEST(ParseBitmapFile, RejectsDataThatDoesNotHoldTheWholeBitmap) {
  const Bytes file = BitmapFile(3, 2, 24);
  for (std::size_t length = 0; length < file.size(); ++length) {
    ASSERT_FALSE(ParseBitmapFile({file.data(), length})) << "cut to " << length;
  }
  const auto broken = [&file](std::size_t at, std::uint32_t value) {
    Bytes changed = file;
    Put32(changed, at, value);
    return ParseBitmapFile(changed).has_value();
  };
  EXPECT_FALSE(broken(10, 40));          // rows begin inside the header
  EXPECT_FALSE(broken(10, 0xFFFFFFFF));  // rows beyond the end
  EXPECT_FALSE(broken(14, 12));          // an old core header
  EXPECT_FALSE(broken(22, 0));           // no rows
  EXPECT_FALSE(broken(22, 3));           // more rows than the data holds
  EXPECT_FALSE(broken(30, 1));           // run-length compressed
  EXPECT_FALSE(broken(46, 5));           // a colour table reaching into the rows
  EXPECT_FALSE(ParseBitmapFile(BitmapFile(2, 2, 8, 257)));
}

}  // namespace
}  // namespace kz
