// The pictures the generator draws, and the ICO encoding of them read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tools/icons/button_art.h"
#include "tools/icons/ico_reader.h"
#include "tools/icons/ico_writer.h"
#include "tools/icons/program_icon_art.h"

namespace kz::icons {
namespace {

bool IsOpaque(const Canvas& canvas, int x, int y) {
  return canvas.At(x, y).alpha == 255;
}

int OpaqueInColumn(const Canvas& canvas, int x) {
  int count = 0;
  for (int y = 0; y < canvas.Height(); ++y) count += IsOpaque(canvas, x, y);
  return count;
}

// Runs of opaque pixels along row y.
int RunsInRow(const Canvas& canvas, int y) {
  int runs = 0;
  for (int x = 0; x < canvas.Width(); ++x) {
    runs += IsOpaque(canvas, x, y) && (x == 0 || !IsOpaque(canvas, x - 1, y));
  }
  return runs;
}

// True when the opaque columns from `base` to `tip` (either way round) never grow: a triangle
// whose tip points from base towards tip.
bool PointsFromTo(const Canvas& canvas, int base, int tip) {
  const int step = tip > base ? 1 : -1;
  for (int x = base; x != tip; x += step) {
    if (OpaqueInColumn(canvas, x + step) > OpaqueInColumn(canvas, x)) return false;
  }
  return OpaqueInColumn(canvas, base) > 3 * OpaqueInColumn(canvas, tip);
}

TEST(PlayerPictures, AreBlackShapesOfTheirMeaning) {
  const Canvas play = DrawPlay();
  EXPECT_TRUE(PointsFromTo(play, 10, 21));
  EXPECT_EQ(OpaqueInColumn(play, 9), 0);
  EXPECT_EQ(OpaqueInColumn(play, 22), 0);

  EXPECT_EQ(RunsInRow(DrawPause(), 10), 2);
  EXPECT_EQ(RunsInRow(DrawPause(), 0), 0);

  // The stop square: a filled 12 x 12 block in the middle.
  const Canvas stop = DrawStop();
  int opaque = 0;
  for (int x = 0; x < stop.Width(); ++x) opaque += OpaqueInColumn(stop, x);
  EXPECT_EQ(opaque, 144);
  EXPECT_TRUE(IsOpaque(stop, 9, 4) && IsOpaque(stop, 20, 15));

  EXPECT_TRUE(PointsFromTo(DrawRewind(), 14, 4));
  EXPECT_TRUE(PointsFromTo(DrawRewind(), 25, 15));
  EXPECT_TRUE(PointsFromTo(DrawForward(), 4, 14));
  EXPECT_TRUE(PointsFromTo(DrawForward(), 15, 25));
  EXPECT_EQ(RunsInRow(DrawForward(), 10), 2);  // two triangles, not one long wedge

  for (const Canvas& picture : {play, DrawPause(), stop, DrawRewind(), DrawForward()}) {
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const Pixel& pixel = picture.At(x, y);
        EXPECT_TRUE(pixel == Pixel{} || pixel == Opaque(Grey(0)));
      }
    }
  }
}

TEST(SearchPictures, GreyLettersInBlackOutlinesFillThePicture) {
  for (const char* capitals : {"GO", "STOP"}) {
    SCOPED_TRACE(capitals);
    const Canvas picture = DrawLettering(capitals);
    int greys = 0;
    int left = picture.Width();
    int right = 0;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const Pixel& pixel = picture.At(x, y);
        ASSERT_TRUE(pixel.alpha == 0 || pixel.alpha == 255);
        if (pixel.alpha == 0) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        greys += pixel.colour != Rgb{};
        // Grey never meets the background: there is always a black rim in between.
        const bool atEdge = x == 0 || y == 0 || x == picture.Width() - 1 ||
                            y == picture.Height() - 1 || picture.At(x - 1, y).alpha == 0 ||
                            picture.At(x + 1, y).alpha == 0 || picture.At(x, y - 1).alpha == 0 ||
                            picture.At(x, y + 1).alpha == 0;
        if (atEdge) {
          EXPECT_EQ(pixel.colour, Rgb{}) << x << "," << y;
        }
      }
    }
    EXPECT_GT(greys, 400);
    EXPECT_LE(left, 2);
    EXPECT_GE(right, picture.Width() - 3);
  }
}

TEST(IcoWriter, PacksPaletteIndicesHighNibbleFirstAndRowsBottomUp) {
  Canvas picture(2, 2);
  picture.At(0, 0) = Opaque({128, 0, 0});      // standard colour 1
  picture.At(1, 0) = Opaque({0, 128, 0});      // standard colour 2
  picture.At(0, 1) = Opaque({255, 255, 255});  // standard colour 15
  const IcoImage image{&picture, IcoEncoding::kPalette4};
  const std::vector<std::uint8_t> file = WriteIcoFile({&image, 1});
  const std::size_t colours = 22 + 40 + 16 * 4;
  ASSERT_EQ(file.size(), colours + 2 * 4 + 2 * 4);
  EXPECT_EQ(file[colours], 0xF0);      // bottom row first: white, then transparent as black
  EXPECT_EQ(file[colours + 4], 0x12);  // top row
  EXPECT_EQ(file[colours + 8], 0x40);  // mask, bottom row: the second pixel is transparent
  EXPECT_EQ(file[colours + 12], 0x00);
}

TEST(IcoWriter, ReadsBackEveryEncoding) {
  const Canvas picture = DrawProgramIcon(24, IconColours::kShaded);
  const IcoImage images[] = {{&picture, IcoEncoding::kAlphaTrueColour},
                             {&picture, IcoEncoding::kPalette8},
                             {&picture, IcoEncoding::kMaskedTrueColour}};
  const std::vector<std::uint8_t> file = WriteIcoFile(images);
  const auto alpha = ReadIcoImage(file, 0);
  const auto palette = ReadIcoImage(file, 1);
  const auto masked = ReadIcoImage(file, 2);
  ASSERT_TRUE(alpha && palette && masked);
  EXPECT_FALSE(ReadIcoImage(file, 3));

  const auto near = [](Rgb a, Rgb b) {
    return std::abs(a.r - b.r) <= 12 && std::abs(a.g - b.g) <= 12 && std::abs(a.b - b.b) <= 12;
  };
  int partlyCovered = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      const Pixel& drawn = picture.At(x, y);
      const bool shown = drawn.alpha >= 128;
      partlyCovered += drawn.alpha > 0 && drawn.alpha < 255;
      EXPECT_EQ(alpha->At(x, y).alpha, drawn.alpha);
      EXPECT_EQ(masked->At(x, y).alpha, shown ? 255 : 0);
      EXPECT_EQ(palette->At(x, y).alpha, shown ? 255 : 0);
      if (!shown) continue;
      EXPECT_EQ(alpha->At(x, y).colour, drawn.colour);
      EXPECT_EQ(masked->At(x, y).colour, drawn.colour);
      EXPECT_TRUE(near(palette->At(x, y).colour, drawn.colour));
    }
  }
  EXPECT_GT(partlyCovered, 0) << "the program icon is anti-aliased";
}

}  // namespace
}  // namespace kz::icons
