#include "mp3/mp3_scan.h"

#include <gtest/gtest.h>

#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::Mp3Bytes;

struct Scanned {
  int ok;
  Mp3Info info;
};

Scanned Scan(const Mp3Bytes& file) {
  Scanned result{-7, {}};
  result.info.fileSize = 12345;  // the scan leaves the size to the reader
  result.ok = ScanMp3Frames(file.bytes(), result.info);
  return result;
}

// Header bytes used throughout: FF FB 90 is MPEG-1 Layer III, 128 kbit/s, 44100 Hz, 417 bytes;
// FF FB B0 is 192 kbit/s, 626 bytes; FF F3 80 is MPEG-2, 64 kbit/s, 22050 Hz, 208 bytes.
constexpr std::size_t k128Length = 417;
constexpr std::size_t k192Length = 626;

void ExpectInfo(const Scanned& scanned, int ok, std::int32_t durationMs, std::int32_t bitRate,
                std::int32_t frequency, std::int32_t frameCount) {
  EXPECT_EQ(scanned.ok, ok);
  EXPECT_EQ(scanned.info.fileSize, 12345);
  EXPECT_EQ(scanned.info.durationMs, durationMs);
  EXPECT_EQ(scanned.info.bitRate, bitRate);
  EXPECT_EQ(scanned.info.frequency, frequency);
  EXPECT_EQ(scanned.info.frameCount, frameCount);
}

TEST(Mp3Scan, FrameEndingAtTheEndOfTheFileIsNotCounted) {
  Mp3Bytes file;
  file.Frames(0xFB, 0x90, k128Length, 100);
  ExpectInfo(Scan(file), 1, 2586, 128000, 44100, 99);

  file.Filler(128);
  ExpectInfo(Scan(file), 1, 2612, 128000, 44100, 100);
}

TEST(Mp3Scan, VaryingBitRatesGiveTheNegatedAverageOverCountedFrames) {
  Mp3Bytes file;
  file.Frames(0xFB, 0x90, k128Length).Frames(0xFB, 0xB0, k192Length);
  // Both headers are summed (320), but the last frame ends at the end and is not counted.
  ExpectInfo(Scan(file), 1, 26, -320000, 44100, 1);
  file.Filler(128);
  ExpectInfo(Scan(file), 1, 52, -160000, 44100, 2);
}

TEST(Mp3Scan, Mpeg2AndMpeg25UseTheirTablesAndHalfFrames) {
  Mp3Bytes mpeg2;
  mpeg2.Frames(0xF3, 0x80, 208, 100).Filler(128);
  ExpectInfo(Scan(mpeg2), 1, 2612, 64000, 22050, 100);

  // MPEG-2.5, 32 kbit/s (index 4), 8000 Hz (index 2): 32 x 72000 / 8000 = 288 bytes, 72 ms.
  Mp3Bytes mpeg25;
  mpeg25.Frames(0xE3, 0x48, 288, 10).Filler(128);
  ExpectInfo(Scan(mpeg25), 1, 720, 32000, 8000, 10);

  // MPEG-1 at 32000 Hz and 320 kbit/s: 1440 bytes; 36 ms a frame.
  Mp3Bytes mpeg1;
  mpeg1.Frames(0xFA, 0xE8, 1440, 10).Filler(128);
  ExpectInfo(Scan(mpeg1), 1, 360, 320000, 32000, 10);
}

TEST(Mp3Scan, PaddingBitLengthensTheFrameByOneByte) {
  Mp3Bytes file;
  file.Frames(0xFB, 0x92, k128Length + 1, 100);
  ExpectInfo(Scan(file), 1, 2586, 128000, 44100, 99);
}

TEST(Mp3Scan, ByteBeforeAHeaderPairsWithItAndHidesThatFrame) {
  Mp3Bytes file;
  file.Bytes({0xFF}).Frames(0xFB, 0x90, k128Length, 3).Filler(128);
  // FF FF is no accepted version; the search goes on at FB and finds the second frame.
  ExpectInfo(Scan(file), 1, 52, 128000, 44100, 2);
}

TEST(Mp3Scan, SecondByteWithoutSyncBitsIsExaminedAsAFirstByte) {
  Mp3Bytes file;
  file.Bytes({0xFF}).Bytes({0x7F}).Frames(0xFB, 0x90, k128Length, 2).Filler(128);
  ExpectInfo(Scan(file), 1, 52, 128000, 44100, 2);
}

TEST(Mp3Scan, ReservedFrequencyIndexCountsInTheRateButTakesNoFrame) {
  Mp3Bytes alone;
  alone.Bytes({0xFF, 0xFB, 0x9C, 0x00}).Filler(64, 0x00);
  ExpectInfo(Scan(alone), 1, 0, 128000, -1, 0);

  // Its rate still differs from the next header's, whose frame runs past the end: no frame was
  // counted to average over.
  Mp3Bytes then;
  then.Bytes({0xFF, 0xFB, 0x9C, 0x00}).Frames(0xFB, 0xB0, 100);
  ExpectInfo(Scan(then), 0, -1, 0, 44100, 0);

  // The search goes on at its second byte, so a header right behind it is found. Its 192 kbit/s
  // enter the sum: (192 + 2 x 128) / 2 counted frames.
  Mp3Bytes behind;
  behind.Bytes({0xFF, 0xFB, 0xBC}).Frames(0xFB, 0x90, k128Length, 2).Filler(128);
  ExpectInfo(Scan(behind), 1, 52, -224000, 44100, 2);
}

TEST(Mp3Scan, HeadersThatAreNeverTaken) {
  struct Case {
    const char* what;
    std::uint8_t second;
    std::uint8_t third;
  };
  const Case cases[] = {
      {"free format", 0xFB, 0x00},      {"bit-rate index 15", 0xFB, 0xF0},
      {"MPEG-2 index 15", 0xF3, 0xF0},  {"Layer I", 0xFF, 0x90},
      {"Layer II", 0xFD, 0x90},         {"reserved layer", 0xF9, 0x90},
      {"reserved version", 0xEB, 0x90},
  };
  for (const Case& header : cases) {
    SCOPED_TRACE(header.what);
    Mp3Bytes file;
    file.Frames(header.second, header.third, k128Length, 20).Filler(128);
    ExpectInfo(Scan(file), 1, 0, -1000, -1, 0);
  }
}

TEST(Mp3Scan, NothingLikeAHeader) {
  Mp3Bytes empty;
  ExpectInfo(Scan(empty), 1, 0, -1000, -1, 0);
  Mp3Bytes text;
  text.Filler(3000, 'a');
  ExpectInfo(Scan(text), 1, 0, -1000, -1, 0);
  Mp3Bytes lonely;
  lonely.Bytes({0x00, 0xFF});  // a first byte with nothing after it
  ExpectInfo(Scan(lonely), 1, 0, -1000, -1, 0);
}

TEST(Mp3Scan, HeaderCutOffByTheEndEndsTheScanLikeTheEnd) {
  for (std::size_t kept = 2; kept <= 3; ++kept) {
    SCOPED_TRACE(kept);
    Mp3Bytes file;
    file.Frames(0xFB, 0x90, k128Length, 100).Filler(128).Bytes({0xFF, 0xFB, 0x90});
    file.bytes().resize(file.bytes().size() - (3 - kept));
    ExpectInfo(Scan(file), 1, 2612, 128000, 44100, 100);
  }
  // A file cut off in its last frame keeps the playing time of the frames before it.
  Mp3Bytes cut;
  cut.Frames(0xFB, 0x90, k128Length, 100);
  cut.bytes().resize(cut.bytes().size() - 200);
  ExpectInfo(Scan(cut), 1, 2586, 128000, 44100, 99);
}

TEST(Mp3Scan, ProductsAreFormedInSixtyFourBits) {
  // 10000 frames x 1152000 overflows 32 bits. 32 kbit/s at 48000 Hz: 96 bytes, 24 ms a frame.
  Mp3Bytes many;
  many.Frames(0xFB, 0x14, 96, 10000).Filler(128);
  ExpectInfo(Scan(many), 1, 240000, 32000, 48000, 10000);

  // 14000 headers with the reserved frequency at 320 kbit/s and three counted frames: the sum
  // (4480384 kbit/s) times 1000 needs more than 32 bits.
  Mp3Bytes contrived;
  for (int i = 0; i < 14000; ++i) contrived.Bytes({0xFF, 0xFB, 0xEC, 0x00});
  contrived.Frames(0xFB, 0x90, k128Length, 3).Filler(128);
  ExpectInfo(Scan(contrived), 1, 78, -1493461333, 44100, 3);
}

TEST(Mp3Scan, AverageBeyondThirtyTwoBitsKeepsItsLowBitsWithoutFault) {
  Mp3Bytes contrived;
  for (int i = 0; i < 14000; ++i) contrived.Bytes({0xFF, 0xFB, 0xEC, 0x00});
  contrived.Frames(0xFB, 0x90, k128Length).Filler(128);
  std::uint64_t average = (14000ull * 320 + 128) * 1000;  // one counted frame
  Scanned scanned = Scan(contrived);
  EXPECT_EQ(scanned.ok, 1);
  EXPECT_EQ(scanned.info.bitRate,
            static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(average)));
}

TEST(Mp3Scan, LeadingId3v2TagsAreSkipped) {
  Mp3Bytes audio;
  audio.Frames(0xFB, 0x90, k128Length, 100).Filler(128);
  const Scanned plain = Scan(audio);
  ExpectInfo(plain, 1, 2612, 128000, 44100, 100);

  auto withTags = [&](auto addTags) {
    Mp3Bytes file;
    addTags(file);
    file.bytes().insert(file.bytes().end(), audio.bytes().begin(), audio.bytes().end());
    return Scan(file);
  };
  ExpectInfo(withTags([](Mp3Bytes& f) { f.Id3v2(5000); }), 1, 2612, 128000, 44100, 100);
  // Size 200 + 128 x 128 in synchsafe bytes 00 00 01 48.
  ExpectInfo(withTags([](Mp3Bytes& f) { f.Id3v2(200 + 128 * 128); }), 1, 2612, 128000, 44100, 100);
  ExpectInfo(withTags([](Mp3Bytes& f) { f.Id3v2(5000, 0x10); }), 1, 2612, 128000, 44100, 100);
  ExpectInfo(withTags([](Mp3Bytes& f) { f.Id3v2(300).Id3v2(5000, 0x10).Id3v2(0); }), 1, 2612,
             128000, 44100, 100);
}

TEST(Mp3Scan, WhatIsNoTagIsScannedLikeAnyBytes) {
  auto scanAfter = [](std::initializer_list<std::uint8_t> header) {
    Mp3Bytes file;
    file.Bytes(header);
    for (int i = 0; i < 2000; ++i) file.Bytes({0xFF, 0xFB, 0xB0, 0x00});
    file.Frames(0xFB, 0x90, k128Length, 100).Filler(128);
    return Scan(file);
  };
  // An 8000-byte tag over the look-alike headers is skipped ...
  const Scanned tag = scanAfter({'I', 'D', '3', 4, 0, 0, 0, 0, 0x3E, 0x40});
  ExpectInfo(tag, 1, 2612, 128000, 44100, 100);
  // ... but none of these is a tag, so the look-alikes are taken and the rate varies: version
  // or revision 0xFF, a size byte of 0x80 or more, another name.
  EXPECT_LT(scanAfter({'I', 'D', '3', 0xFF, 0, 0, 0, 0, 0x3E, 0x40}).info.bitRate, 0);
  EXPECT_LT(scanAfter({'I', 'D', '3', 4, 0xFF, 0, 0, 0, 0x3E, 0x40}).info.bitRate, 0);
  EXPECT_LT(scanAfter({'I', 'D', '3', 4, 0, 0, 0, 0, 0x3E, 0xC0}).info.bitRate, 0);
  EXPECT_LT(scanAfter({'I', 'D', '2', 4, 0, 0, 0, 0, 0x3E, 0x40}).info.bitRate, 0);
}

TEST(Mp3Scan, TagRunningPastTheEndIsNotSkipped) {
  Mp3Bytes file;
  file.Id3v2(1000000, 0, 5000).Frames(0xFB, 0x90, k128Length, 100).Filler(128);
  EXPECT_EQ(SkipLeadingId3v2Tags(file.bytes()), 0u);
  EXPECT_LT(Scan(file).info.bitRate, 0);  // the look-alike headers are scanned

  // A second tag that runs past the end stops the skipping after the first.
  Mp3Bytes second;
  second.Id3v2(100).Id3v2(1000000, 0, 5000).Filler(100);
  EXPECT_EQ(SkipLeadingId3v2Tags(second.bytes()), 110u);

  // A tag that ends exactly at the end is skipped; nothing remains to scan.
  Mp3Bytes exact;
  exact.Id3v2(100, 0x10);
  EXPECT_EQ(SkipLeadingId3v2Tags(exact.bytes()), 120u);
  ExpectInfo(Scan(exact), 1, 0, -1000, -1, 0);

  // Without its announced footer the tag runs past the end.
  Mp3Bytes noFooter;
  noFooter.Id3v2(100, 0x10, 100);
  EXPECT_EQ(SkipLeadingId3v2Tags(noFooter.bytes()), 0u);

  Mp3Bytes shortHeader;
  shortHeader.Bytes({'I', 'D', '3', 4, 0, 0, 0, 0, 0});
  EXPECT_EQ(SkipLeadingId3v2Tags(shortHeader.bytes()), 0u);
}

}  // namespace
}  // namespace kz
