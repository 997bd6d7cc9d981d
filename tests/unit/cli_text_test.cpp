// The command line's text helpers: wildcard names, case folding, ISO dates, cell escapes.

#include <gtest/gtest.h>

#include "app/cli/glob.h"
#include "app/cli/iso_time.h"
#include "app/cli/row_writer.h"
#include "common/case_fold.h"

namespace kz::cli {
namespace {

TEST(CliGlob, MatchesWholeNamesWithStarsQuestionMarksAndSets) {
  EXPECT_TRUE(GlobMatches("*.mp3", "a.mp3"));
  EXPECT_FALSE(GlobMatches("*.mp3", "a.mp3.part"));
  EXPECT_FALSE(GlobMatches("*.mp3", "a.MP3"));
  EXPECT_TRUE(GlobMatches("*", ""));
  EXPECT_TRUE(GlobMatches("a*b*c", "aXbYbZc"));
  EXPECT_FALSE(GlobMatches("a*b*c", "aXbYbZ"));
  EXPECT_TRUE(GlobMatches("?ive", "live"));
  EXPECT_TRUE(GlobMatches("?ive", "\xC3\xBCive"));  // one character of two bytes
  EXPECT_FALSE(GlobMatches("?ive", "ive"));
  EXPECT_TRUE(GlobMatches("[a-c]d", "bd"));
  EXPECT_FALSE(GlobMatches("[!a-c]d", "bd"));
  EXPECT_TRUE(GlobMatches("[]]", "]"));
  EXPECT_TRUE(GlobMatches("\\*", "*"));
  EXPECT_FALSE(GlobMatches("\\*", "x"));
  EXPECT_TRUE(GlobMatches("[ab", "[ab"));  // an unclosed set stands for itself
}

TEST(CliCaseFold, FoldsLatinGreekAndCyrillicAndLeavesTheRest) {
  EXPECT_EQ(FoldCase("Take Five.MP3"), "take five.mp3");
  EXPECT_EQ(FoldCase("\xC3\x84\xC3\x96\xC3\x9C\xC3\x9F"), "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F");
  EXPECT_EQ(FoldCodePoint(0xD7), 0xD7u);    // multiplication sign
  EXPECT_EQ(FoldCodePoint(0x141), 0x142u);  // Ł
  EXPECT_EQ(FoldCodePoint(0x17D), 0x17Eu);  // Ž
  EXPECT_EQ(FoldCodePoint(0x178), 0xFFu);   // Ÿ
  EXPECT_EQ(FoldCodePoint(0x130), 0x130u);  // İ has no simple folding
  EXPECT_EQ(FoldCodePoint(0x3A3), 0x3C3u);  // Σ
  EXPECT_EQ(FoldCodePoint(0x3C2), 0x3C3u);  // final ς
  EXPECT_EQ(FoldCodePoint(0x386), 0x3ACu);  // Ά
  EXPECT_EQ(FoldCodePoint(0x401), 0x451u);  // Ё
  EXPECT_EQ(FoldCodePoint(0x42F), 0x44Fu);  // Я
  EXPECT_EQ(FoldCodePoint(0x490), 0x491u);  // Ґ
  EXPECT_EQ(FoldCodePoint(0x4E8), 0x4E9u);  // Ө
  EXPECT_EQ(FoldCodePoint(0x4E9), 0x4E9u);
  EXPECT_EQ(FoldCodePoint(0x65E5), 0x65E5u);  // CJK: unchanged
  // Bytes that are not UTF-8 pass through; what follows them still folds.
  EXPECT_EQ(FoldCase("\xFF"
                     "A\xC3"),
            "\xFF"
            "a\xC3");
  EXPECT_EQ(FoldCase("\xC0\x81Z"), "\xC0\x81z");  // an overlong form is not a letter
}

TEST(CliIsoTime, WritesUtcDatesAcrossLeapYearsAndBefore1970) {
  EXPECT_EQ(IsoUtcTime(0), "1970-01-01T00:00:00Z");
  EXPECT_EQ(IsoUtcTime(951782400), "2000-02-29T00:00:00Z");
  EXPECT_EQ(IsoUtcTime(1709211909), "2024-02-29T13:05:09Z");
  EXPECT_EQ(IsoUtcTime(4102444799), "2099-12-31T23:59:59Z");
  EXPECT_EQ(IsoUtcTime(-1), "1969-12-31T23:59:59Z");
}

TEST(CliCells, EscapesKeepOneRecordPerLine) {
  std::string out;
  AppendWindowCell(out, "a\tb\nc\rd\\e");
  EXPECT_EQ(out, "a\\tb\\nc\\rd\\e");
  out.clear();
  AppendTsvField(out, "a\tb\\n");
  EXPECT_EQ(out, "a\\tb\\\\n");
  out.clear();
  AppendJsonString(out, std::string("\x01\"\\/\xE2\x82\xAC\xED\xA0\x80", 10));
  EXPECT_EQ(out, "\"\\u0001\\\"\\\\/\xE2\x82\xAC\\ufffd\\ufffd\\ufffd\"");
}

}  // namespace
}  // namespace kz::cli
