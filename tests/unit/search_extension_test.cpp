#include "search/extension_rule.h"

#include <gtest/gtest.h>

namespace kz {
namespace {

TEST(ExtensionRule, TheTextAfterTheLastDotUpToAQuote) {
  EXPECT_EQ(ExtensionPart("song.mp3"), "mp3");
  EXPECT_EQ(ExtensionPart("song.mp3.bak"), "bak");
  EXPECT_EQ(ExtensionPart(".mp3"), "mp3");
  EXPECT_EQ(ExtensionPart("song.mp3\"junk"), "mp3");
  EXPECT_EQ(ExtensionPart("song.\"mp3"), "");
  EXPECT_EQ(ExtensionPart("song."), "");
  EXPECT_EQ(ExtensionPart("mp3"), "");
  EXPECT_EQ(ExtensionPart(""), "");
}

TEST(ExtensionRule, ASlashOrBackslashAfterTheDotLeavesNoExtension) {
  EXPECT_EQ(ExtensionPart("a.mp3/b"), "");
  EXPECT_EQ(ExtensionPart("a.mp3\\b"), "");
  EXPECT_EQ(ExtensionPart("a\\b.mp3"), "mp3");
  EXPECT_EQ(ExtensionPart("a/b.x\"y.mp3"), "mp3");
}

TEST(ExtensionRule, UpperCasingLowersLettersAndTheTopBytesOnly) {
  for (int byte = 0; byte < 256; ++byte) {
    int expected = (byte >= 'a' && byte <= 'z') || byte >= 224 ? byte - 32 : byte;
    EXPECT_EQ(UpperCased(static_cast<unsigned char>(byte)), expected) << byte;
  }
}

TEST(ExtensionRule, MatchesMp3InAnyLetterCaseAndNothingElse) {
  for (const char* name : {"song.mp3", "Song.Mp3", "SONG.MP3", "x.mP3", ".mp3", "a.mp3\"x"}) {
    EXPECT_TRUE(HasExtension(name, "mp3")) << name;
  }
  for (const char* name : {"song.mp3.bak", "mp3", "song.mp4", "song.mp", "song.mp33", "song.mp3 ",
                           "song.m\xD0"
                           "3"}) {
    EXPECT_FALSE(HasExtension(name, "mp3")) << name;
  }
  // The bytes 224 to 255 count as the lower case of 192 to 223, on either side.
  EXPECT_TRUE(HasExtension("x.\xE4\xFF", "\xC4\xDF"));
  EXPECT_TRUE(HasExtension("x.\xC4\xDF", "\xE4\xFF"));
  EXPECT_TRUE(HasExtension("x.\xF7", "\xD7"));
  EXPECT_FALSE(HasExtension("x.\xC4", "\xA4"));
}

}  // namespace
}  // namespace kz
