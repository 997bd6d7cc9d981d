// The icon files under resources/ are built into the program as they are, so their exact layout
// is checked here, and that they are what the generator draws.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tools/icons/icon_set.h"

namespace kz {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kResources =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "resources";

Bytes ReadResource(const std::string& name) {
  std::ifstream in(kResources / name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t U16(const Bytes& bytes, std::size_t at) {
  return bytes.at(at) | static_cast<std::uint32_t>(bytes.at(at + 1)) << 8;
}

std::uint32_t U32(const Bytes& bytes, std::size_t at) {
  return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

struct ButtonImage {
  const char* file;
  std::uint32_t width;
  std::uint32_t height;
  std::size_t fileSize;
};

constexpr ButtonImage kButtonImages[] = {
    {"play.ico", 30, 20, 2542},        {"pause.ico", 30, 20, 2542},   {"stop.ico", 30, 20, 2542},
    {"rewind.ico", 30, 20, 2542},      {"forward.ico", 30, 20, 2542}, {"go.ico", 62, 46, 11838},
    {"stop_search.ico", 62, 46, 11838}};

TEST(ButtonImageFiles, HaveTheFixedSingleImageLayout) {
  for (const ButtonImage& expected : kButtonImages) {
    SCOPED_TRACE(expected.file);
    const Bytes file = ReadResource(expected.file);
    ASSERT_EQ(file.size(), expected.fileSize);
    // Directory header and its one entry.
    EXPECT_EQ(U16(file, 0), 0u);
    EXPECT_EQ(U16(file, 2), 1u);
    EXPECT_EQ(U16(file, 4), 1u);
    EXPECT_EQ(file[6], expected.width);
    EXPECT_EQ(file[7], expected.height);
    EXPECT_EQ(file[8], 32);  // colour count
    EXPECT_EQ(file[9], 0);
    EXPECT_EQ(U16(file, 10), 0u);  // planes
    EXPECT_EQ(U16(file, 12), 0u);  // bit count
    EXPECT_EQ(U32(file, 14), expected.fileSize - 22);
    EXPECT_EQ(U32(file, 18), 22u);
    // BITMAPINFOHEADER.
    EXPECT_EQ(U32(file, 22), 40u);
    EXPECT_EQ(U32(file, 26), expected.width);
    EXPECT_EQ(U32(file, 30), 2 * expected.height);
    EXPECT_EQ(U16(file, 34), 1u);
    EXPECT_EQ(U16(file, 36), 32u);
    EXPECT_EQ(U32(file, 38), 0u);  // BI_RGB
    // Colour bits, then a mask whose rows are padded to 32 bits: nothing else in the file.
    const std::size_t pixels = expected.width * expected.height;
    const std::size_t maskRow = (expected.width + 31) / 32 * 4;
    EXPECT_EQ(62 + 4 * pixels + maskRow * expected.height, file.size());
    const std::size_t maskAt = 62 + 4 * pixels;
    for (std::size_t i = 0; i < pixels; ++i) {
      ASSERT_EQ(file[62 + 4 * i + 3], 0) << "alpha byte of pixel " << i;
      const std::size_t row = i / expected.width;
      const std::size_t column = i % expected.width;
      const bool transparent = (file[maskAt + row * maskRow + column / 8] >> (7 - column % 8) & 1);
      // A transparent pixel must be black, or it would tint the screen behind it.
      if (transparent) {
        ASSERT_EQ(U32(file, 62 + 4 * i), 0u) << "colour of transparent pixel " << i;
      }
    }
  }
}

TEST(ProgramIconFile, HoldsFourSizesAtThreeDepths) {
  const Bytes file = ReadResource("klangzwilling.ico");
  ASSERT_GE(file.size(), 6u);
  EXPECT_EQ(U16(file, 0), 0u);
  EXPECT_EQ(U16(file, 2), 1u);
  ASSERT_EQ(U16(file, 4), 12u);

  std::set<std::pair<std::uint32_t, std::uint32_t>> sizesAndDepths;
  std::size_t expectedOffset = 6 + 12 * 16;
  for (std::size_t i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    const std::size_t entry = 6 + 16 * i;
    const std::uint32_t size = file.at(entry);
    const std::uint32_t depth = U16(file, entry + 6);
    sizesAndDepths.insert({size, depth});
    EXPECT_EQ(file[entry + 1], size);
    EXPECT_EQ(file[entry + 2], depth == 4 ? 16 : 0);
    EXPECT_EQ(U16(file, entry + 4), 1u);
    const std::size_t length = U32(file, entry + 8);
    const std::size_t offset = U32(file, entry + 12);
    EXPECT_EQ(offset, expectedOffset);
    expectedOffset = offset + length;
    ASSERT_LE(offset + length, file.size());

    EXPECT_EQ(U32(file, offset), 40u);
    EXPECT_EQ(U32(file, offset + 4), size);
    EXPECT_EQ(U32(file, offset + 8), 2 * size);
    EXPECT_EQ(U16(file, offset + 14), depth);
    const std::size_t palette = depth <= 8 ? 4u << depth : 0;
    const std::size_t colourRow = (size * depth + 31) / 32 * 4;
    const std::size_t maskRow = (size + 31) / 32 * 4;
    EXPECT_EQ(length, 40 + palette + (colourRow + maskRow) * size);
    if (depth == 32) {
      bool anyAlpha = false;
      for (std::size_t p = 0; p < size * size; ++p) anyAlpha |= file[offset + 40 + 4 * p + 3] != 0;
      EXPECT_TRUE(anyAlpha) << "32 bpp images carry real alpha";
    }
  }
  EXPECT_EQ(expectedOffset, file.size());
  std::set<std::pair<std::uint32_t, std::uint32_t>> expected;
  for (std::uint32_t size : {48, 32, 24, 16}) {
    for (std::uint32_t depth : {4, 8, 32}) expected.insert({size, depth});
  }
  EXPECT_EQ(sizesAndDepths, expected);
}

TEST(IconGenerator, ReproducesTheCommittedFiles) {
  const std::vector<icons::GeneratedFile> generated = icons::GenerateIconFiles();
  ASSERT_EQ(generated.size(), 8u);
  for (const icons::GeneratedFile& file : generated) {
    SCOPED_TRACE(file.name);
    EXPECT_TRUE(ReadResource(file.name) == file.bytes)
        << "resources/ is stale: run kz_make_icons resources";
  }
}

}  // namespace
}  // namespace kz
