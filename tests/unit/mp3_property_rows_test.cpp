#include "mp3/property_rows.h"

#include <gtest/gtest.h>

namespace kz {
namespace {

Mp3Info InfoOf(std::int32_t fileSize, std::int32_t durationMs, std::int32_t bitRate,
               std::int32_t frequency) {
  return {fileSize, durationMs, bitRate, frequency, 0};
}

TEST(PropertyRows, DurationKeepsMinutesAndSecondsOnly) {
  EXPECT_EQ(DurationText(InfoOf(0, 185000, 0, 0)), "03:05");
  EXPECT_EQ(DurationText(InfoOf(0, 3725000, 0, 0)), "02:05");  // the hour is lost
  EXPECT_EQ(DurationText(InfoOf(0, 999, 0, 0)), "00:00");
  EXPECT_EQ(DurationText(InfoOf(0, -1, 0, 0)), "00:00");     // -1 / 1000 truncates to 0
  EXPECT_EQ(DurationText(InfoOf(0, -5000, 0, 0)), "59:55");  // a contrived negative time
}

TEST(PropertyRows, FiveRowsWithTheirLiteralsInOrder) {
  auto rows = PropertyRows(InfoOf(41700, 185000, 128000, 44100), "03:05", 1152964800);
  EXPECT_EQ(rows[0], "Dauer\n03:05 Min");
  EXPECT_EQ(rows[1], "Bitrate\n128 kBit/s");
  EXPECT_EQ(rows[2], "Frequenz\n44100 Hz");
  EXPECT_EQ(rows[3], "Gr\xC3\xB6sse\n41 KB");
  EXPECT_EQ(rows[4], "Datei erstellt am\n07.15.2006");
}

TEST(PropertyRows, BitRateDividesSignedTowardZero) {
  auto rate = [](std::int32_t bitRate) { return PropertyRows(InfoOf(0, 0, bitRate, 0), "", 0)[1]; };
  EXPECT_EQ(rate(-160000), "Bitrate\n-160 kBit/s");  // varying: the negated average
  EXPECT_EQ(rate(-107440), "Bitrate\n-107 kBit/s");
  EXPECT_EQ(rate(-1000), "Bitrate\n-1 kBit/s");  // no header in the file
  EXPECT_EQ(rate(-1), "Bitrate\n0 kBit/s");      // the file could not be read
  EXPECT_EQ(rate(0), "Bitrate\n0 kBit/s");
  EXPECT_EQ(rate(320999), "Bitrate\n320 kBit/s");
}

TEST(PropertyRows, SizeIsKilobytesPlusOne) {
  auto size = [](std::int32_t bytes) { return PropertyRows(InfoOf(bytes, 0, 0, 0), "", 0)[3]; };
  EXPECT_EQ(size(1023), "Gr\xC3\xB6sse\n1 KB");
  EXPECT_EQ(size(1024), "Gr\xC3\xB6sse\n2 KB");
  EXPECT_EQ(size(41700), "Gr\xC3\xB6sse\n41 KB");
  EXPECT_EQ(size(-1), "Gr\xC3\xB6sse\n1 KB");
  // A 3 GiB file: the low 32 bits read as a negative size.
  EXPECT_EQ(size(static_cast<std::int32_t>(3u << 30)), "Gr\xC3\xB6sse\n-1048575 KB");
}

TEST(PropertyRows, UnreadableFileShowsTheInitialFields) {
  Mp3Info initial;
  auto rows = PropertyRows(initial, DurationText(initial), 0);
  EXPECT_EQ(rows[0], "Dauer\n00:00 Min");
  EXPECT_EQ(rows[1], "Bitrate\n0 kBit/s");
  EXPECT_EQ(rows[2], "Frequenz\n-1 Hz");
  EXPECT_EQ(rows[3], "Gr\xC3\xB6sse\n1 KB");
  EXPECT_EQ(rows[4], "Datei erstellt am\n01.01.1970");
}

}  // namespace
}  // namespace kz
