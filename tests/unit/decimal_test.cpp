#include "common/decimal.h"

#include <gtest/gtest.h>

#include "common/size_kb.h"

namespace kz {
namespace {

TEST(IntToDecimal, SignsZeroAndExtremes) {
  EXPECT_EQ(IntToDecimal(0), "0");
  EXPECT_EQ(IntToDecimal(7), "7");
  EXPECT_EQ(IntToDecimal(-160), "-160");
  EXPECT_EQ(IntToDecimal(2147483647), "2147483647");
  EXPECT_EQ(IntToDecimal(-2147483647 - 1), "-2147483648");
}

TEST(DecimalToInt, BlanksSignsAndStops) {
  EXPECT_EQ(DecimalToInt("42"), 42);
  EXPECT_EQ(DecimalToInt(" \t 42"), 42);
  EXPECT_EQ(DecimalToInt("-17"), -17);
  EXPECT_EQ(DecimalToInt("+17"), 17);
  EXPECT_EQ(DecimalToInt("12ab3"), 12);
  EXPECT_EQ(DecimalToInt("185000      "), 185000);
  EXPECT_EQ(DecimalToInt(""), 0);
  EXPECT_EQ(DecimalToInt("abc"), 0);
  EXPECT_EQ(DecimalToInt("--5"), 0);  // only one sign
  EXPECT_EQ(DecimalToInt("- 5"), 0);
  EXPECT_EQ(DecimalToInt("\n5"), 0);  // only blanks and tabs are skipped
}

TEST(DecimalToInt, OverflowWraps) {
  EXPECT_EQ(DecimalToInt("2147483647"), 2147483647);
  EXPECT_EQ(DecimalToInt("2147483648"), -2147483647 - 1);
  EXPECT_EQ(DecimalToInt("4294967297"), 1);
  EXPECT_EQ(DecimalToInt("-2147483648"), -2147483647 - 1);
}

TEST(SizeInKB, TruncatesAndAddsOne) {
  EXPECT_EQ(SizeInKB(0), 1);
  EXPECT_EQ(SizeInKB(1023), 1);
  EXPECT_EQ(SizeInKB(1024), 2);
  EXPECT_EQ(SizeInKB(5000000), 4883);
  EXPECT_EQ(SizeInKB(-1), 1);  // missing
  EXPECT_EQ(SizeInKB(-2), 1);  // a directory
  EXPECT_EQ(SizeInKB(5LL * 1024 * 1024 * 1024), 5 * 1024 * 1024 + 1);
}

}  // namespace
}  // namespace kz
