// An encoder's information frame (Xing, Info, VBRI) at the front gives no bit rate but counts
// as a frame and sets the frequency.

#include <gtest/gtest.h>

#include <cstring>

#include "mp3/mp3_scan.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::Mp3Bytes;

// A frame of `length` bytes with header FF second third fourth and `name` at `offset`.
Mp3Bytes& InformationFrame(Mp3Bytes& file, std::uint8_t second, std::uint8_t third,
                           std::uint8_t fourth, std::size_t length, std::size_t offset,
                           const char* name) {
  std::size_t start = file.bytes().size();
  file.Frames(second, third, length);
  file.bytes()[start + 3] = fourth;
  std::memcpy(file.bytes().data() + start + offset, name, 4);
  return file;
}

struct Scanned {
  int ok;
  Mp3Info info;
};

Scanned Scan(const Mp3Bytes& file) {
  Scanned result{-7, {}};
  result.ok = ScanMp3Frames(file.bytes(), result.info);
  return result;
}

// FF FB 50 is 64 kbit/s at 44100 Hz, 208 bytes; the sound after it is 128 kbit/s (FF FB 90,
// 417 bytes). 101 frames of 1152 samples: 2638 ms.
TEST(Mp3InformationFrame, TagsAtTheirPlacesGiveNoBitRate) {
  struct Case {
    const char* what;
    std::uint8_t second;
    std::uint8_t fourth;
    std::size_t offset;
    const char* name;
  };
  const Case cases[] = {
      {"Xing after stereo side information", 0xFB, 0x44, 36, "Xing"},
      {"Info after stereo side information", 0xFB, 0x00, 36, "Info"},
      {"Info after mono side information", 0xFB, 0xC4, 21, "Info"},
      {"Xing after a checksum", 0xFA, 0x44, 38, "Xing"},
      {"VBRI 32 bytes after the header", 0xFB, 0x44, 36, "VBRI"},
      {"VBRI in a mono frame", 0xFB, 0xC0, 36, "VBRI"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Mp3Bytes file;
    InformationFrame(file, c.second, 0x50, c.fourth, 208, c.offset, c.name);
    file.Frames(0xFB, 0x90, 417, 100).Filler(128);
    Scanned scanned = Scan(file);
    EXPECT_EQ(scanned.ok, 1);
    EXPECT_EQ(scanned.info.bitRate, 128000);
    EXPECT_EQ(scanned.info.frequency, 44100);
    EXPECT_EQ(scanned.info.frameCount, 101);
    EXPECT_EQ(scanned.info.durationMs, 2638);
  }
}

TEST(Mp3InformationFrame, Mpeg2SideInformationIsShorter) {
  // FF F3 40: MPEG-2, 32 kbit/s, 22050 Hz, 104 bytes; stereo side information is 17 bytes.
  Mp3Bytes file;
  InformationFrame(file, 0xF3, 0x40, 0x44, 104, 21, "Xing");
  file.Frames(0xF3, 0x80, 208, 100).Filler(128);
  Scanned scanned = Scan(file);
  EXPECT_EQ(scanned.info.bitRate, 64000);
  EXPECT_EQ(scanned.info.frequency, 22050);
  EXPECT_EQ(scanned.info.frameCount, 101);
  EXPECT_EQ(scanned.info.durationMs, 2638);

  Mp3Bytes mono;  // mono: 9 bytes
  InformationFrame(mono, 0xF3, 0x40, 0xC0, 104, 13, "Info");
  mono.Frames(0xF3, 0x80, 208, 100).Filler(128);
  EXPECT_EQ(Scan(mono).info.bitRate, 64000);
}

TEST(Mp3InformationFrame, AnythingElseIsSound) {
  auto rateWith = [](auto build) {
    Mp3Bytes file;
    build(file);
    file.Frames(0xFB, 0x90, 417, 100).Filler(128);
    return Scan(file).info.bitRate;
  };
  // A name one byte off, in the wrong place for the channel mode, or another name.
  EXPECT_LT(rateWith([](Mp3Bytes& f) { InformationFrame(f, 0xFB, 0x50, 0x44, 208, 37, "Xing"); }),
            0);
  EXPECT_LT(rateWith([](Mp3Bytes& f) { InformationFrame(f, 0xFB, 0x50, 0xC4, 208, 36, "Xing"); }),
            0);
  EXPECT_LT(rateWith([](Mp3Bytes& f) { InformationFrame(f, 0xFB, 0x50, 0x44, 208, 36, "LAME"); }),
            0);
  // Only the first frame taken may be one: the same frame second is sound.
  EXPECT_LT(rateWith([](Mp3Bytes& f) {
              f.Frames(0xFB, 0x90, 417);
              InformationFrame(f, 0xFB, 0x50, 0x44, 208, 36, "Xing");
            }),
            0);
}

TEST(Mp3InformationFrame, NameMustLieInsideTheFrame) {
  // FF F3 14: MPEG-2, 8 kbit/s, 24000 Hz, 24 bytes: no room for VBRI at 36, so the name there
  // lies in the next frame's body and the first frame is sound of 8 kbit/s.
  Mp3Bytes file;
  file.Frames(0xF3, 0x14, 24).Frames(0xF3, 0x80, 208, 10).Filler(128);
  std::memcpy(file.bytes().data() + 36, "VBRI", 4);
  EXPECT_LT(Scan(file).info.bitRate, 0);
}

TEST(Mp3InformationFrame, AloneItSetsTheFrequencyAndCountsAsAFrame) {
  Mp3Bytes file;
  InformationFrame(file, 0xFB, 0x50, 0x44, 208, 36, "Info").Filler(128);
  Scanned scanned = Scan(file);
  EXPECT_EQ(scanned.ok, 1);
  EXPECT_EQ(scanned.info.bitRate, -1000);
  EXPECT_EQ(scanned.info.frequency, 44100);
  EXPECT_EQ(scanned.info.frameCount, 1);
  EXPECT_EQ(scanned.info.durationMs, 26);
}

}  // namespace
}  // namespace kz
