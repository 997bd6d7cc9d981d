// Tags at the end of a file are left out of the header search like those at the front; the
// tags here are full of headers of another bit rate, which would make the rate vary.

#include <gtest/gtest.h>

#include <functional>

#include "mp3/mp3_scan.h"
#include "mp3/mp3_tags.h"
#include "tests/fakes/piece_bytes.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::Mp3Bytes;

constexpr std::size_t k128Length = 417;  // FF FB 90: 128 kbit/s, 44100 Hz

struct Result {
  int ok;
  Mp3Info info;
  std::uint64_t audioEnd;
};

// 100 frames of 128 kbit/s with nothing after the last one, then the tags.
Result ScanWithTags(const std::function<void(Mp3Bytes&)>& tags) {
  Mp3Bytes file;
  file.Frames(0xFB, 0x90, k128Length, 100);
  tags(file);
  Result result{-7, {}, 0};
  result.ok = ScanMp3Frames(file.bytes(), result.info);
  SpanBytes source(file.bytes());
  result.audioEnd = TrailingTagsStart(source, 0);
  return result;
}

// The last frame is followed by the tag, so it counts: 100 frames, 2612 ms.
void ExpectTagLeftOut(const Result& result) {
  EXPECT_EQ(result.ok, 1);
  EXPECT_EQ(result.audioEnd, 100 * k128Length);
  EXPECT_EQ(result.info.bitRate, 128000);
  EXPECT_EQ(result.info.frequency, 44100);
  EXPECT_EQ(result.info.frameCount, 100);
  EXPECT_EQ(result.info.durationMs, 2612);
}

// A tag that is not recognised is scanned: its look-alike headers make the rate vary.
void ExpectTagScanned(const Result& result) {
  EXPECT_EQ(result.audioEnd > 100 * k128Length, true);
  EXPECT_LT(result.info.bitRate, 0);
}

TEST(Mp3TrailingTags, EachKindIsLeftOut) {
  const std::pair<const char*, std::function<void(Mp3Bytes&)>> kinds[] = {
      {"ID3v1", [](Mp3Bytes& f) { f.Id3v1(); }},
      {"ID3v1 with TAG+", [](Mp3Bytes& f) { f.Id3v1(true); }},
      {"APEv2 without header", [](Mp3Bytes& f) { f.Ape(3000, false); }},
      {"APEv2 with header", [](Mp3Bytes& f) { f.Ape(3000, true); }},
      {"Lyrics3 v2", [](Mp3Bytes& f) { f.Lyrics3(2000); }},
      {"ID3v2 with footer", [](Mp3Bytes& f) { f.Id3v2WithFooter(5000); }},
  };
  for (const auto& [name, tag] : kinds) {
    SCOPED_TRACE(name);
    ExpectTagLeftOut(ScanWithTags(tag));
  }
}

TEST(Mp3TrailingTags, TagsInAnyOrderAndRepeatedAreLeftOut) {
  ExpectTagLeftOut(ScanWithTags([](Mp3Bytes& f) { f.Ape(4000, true).Lyrics3(300).Id3v1(true); }));
  ExpectTagLeftOut(ScanWithTags([](Mp3Bytes& f) { f.Lyrics3(300).Ape(100, false).Id3v1(); }));
  ExpectTagLeftOut(
      ScanWithTags([](Mp3Bytes& f) { f.Id3v2WithFooter(900).Ape(50, true).Id3v2WithFooter(10); }));
  ExpectTagLeftOut(ScanWithTags([](Mp3Bytes& f) { f.Id3v1().Id3v1().Ape(10, false).Id3v1(); }));
}

TEST(Mp3TrailingTags, SizesThatDoNotFitMeanNoTag) {
  const std::pair<const char*, std::function<void(Mp3Bytes&)>> kinds[] = {
      {"APEv2 larger than the file", [](Mp3Bytes& f) { f.Ape(3000, false, 1000000); }},
      {"APEv2 smaller than its footer", [](Mp3Bytes& f) { f.Ape(3000, false, 31); }},
      {"APEv2 whose header is not where announced", [](Mp3Bytes& f) { f.Ape(3000, true, 3000); }},
      {"Lyrics3 larger than the file", [](Mp3Bytes& f) { f.Lyrics3(2000, 999999); }},
      {"Lyrics3 without LYRICSBEGIN where announced", [](Mp3Bytes& f) { f.Lyrics3(2000, 1500); }},
      {"ID3v2 footer larger than the file", [](Mp3Bytes& f) { f.Id3v2WithFooter(500, 900000); }},
      {"ID3v2 footer and header disagreeing", [](Mp3Bytes& f) { f.Id3v2WithFooter(500, 400); }},
  };
  for (const auto& [name, tag] : kinds) {
    SCOPED_TRACE(name);
    ExpectTagScanned(ScanWithTags(tag));
  }
  // Non-digits in the Lyrics3 size.
  ExpectTagScanned(ScanWithTags([](Mp3Bytes& f) {
    f.Lyrics3(20);
    f.bytes()[f.bytes().size() - 12] = 'x';
  }));
}

TEST(Mp3TrailingTags, TagAfterAnUnrecognisedBlockStillCounts) {
  // The ID3v1 tag is left out; the broken APE footer before it is scanned like audio.
  Result result = ScanWithTags([](Mp3Bytes& f) { f.Ape(600, false, 5).Id3v1(); });
  EXPECT_EQ(result.audioEnd, 100 * k128Length + 600 + 32);
  EXPECT_LT(result.info.bitRate, 0);
}

TEST(Mp3TrailingTags, TagsNeverReachIntoTheLeadingOnes) {
  // A file that is one ID3v2 tag with footer: the front skip takes it, and nothing is left.
  Mp3Bytes only;
  only.Id3v2WithFooter(100);
  SpanBytes source(only.bytes());
  EXPECT_EQ(LeadingTagsEnd(source), 120u);
  EXPECT_EQ(TrailingTagsStart(source, 120), 120u);
  // An APE tag claiming the whole file cannot reach below the front tag's end.
  Mp3Bytes front;
  front.Id3v2(100).Ape(200, false, 110 + 200 + 32);
  SpanBytes frontSource(front.bytes());
  EXPECT_EQ(TrailingTagsStart(frontSource, 110), front.bytes().size());
  EXPECT_EQ(TrailingTagsStart(frontSource, 0), 0u);
}

TEST(Mp3TrailingTags, ShortFilesHoldNoTag) {
  for (std::size_t size = 0; size < 140; ++size) {
    Mp3Bytes file;
    file.Text("TAG").Filler(size > 3 ? size - 3 : 0);
    file.bytes().resize(size);
    SpanBytes source(file.bytes());
    EXPECT_EQ(TrailingTagsStart(source, 0), size == 128 ? 0u : size) << size;
  }
}

TEST(Mp3TrailingTags, Lyrics3v1IsLeftOutBeforeId3v1Only) {
  // Its text takes at most 5100 bytes; with 1010 "LYRICSBEGIN" lies across the end of the first
  // piece read. `kept`: the bytes of the tags taken for audio.
  const struct {
    const char* what;
    std::function<void(Mp3Bytes&)> tags;
    std::size_t kept;
  } cases[] = {
      {"no text", [](Mp3Bytes& f) { f.Lyrics3v1(0).Id3v1(); }, 0},
      {"LYRICSBEGIN across pieces", [](Mp3Bytes& f) { f.Lyrics3v1(1010).Id3v1(); }, 0},
      {"the longest text, TAG+", [](Mp3Bytes& f) { f.Lyrics3v1(5100).Id3v1(true); }, 0},
      {"a text too long", [](Mp3Bytes& f) { f.Lyrics3v1(5101).Id3v1(); }, 5121},
      {"no ID3v1 after it", [](Mp3Bytes& f) { f.Lyrics3v1(10); }, 30},
      {"no LYRICSBEGIN", [](Mp3Bytes& f) { f.LookAlikes(50).Text("LYRICSEND").Id3v1(); }, 59},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Mp3Bytes file;
    file.Frames(0xFB, 0x90, k128Length, 100);
    c.tags(file);
    SpanBytes whole(file.bytes());
    testing::PieceBytes pieces(file.bytes());
    EXPECT_EQ(TrailingTagsStart(whole, 0), 100 * k128Length + c.kept);
    EXPECT_EQ(TrailingTagsStart(pieces, 0), 100 * k128Length + c.kept);
  }
}

}  // namespace
}  // namespace kz
