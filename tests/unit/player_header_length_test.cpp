#include "tests/fakes/header_length.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "tests/fakes/fake_clock.h"

namespace kz {
namespace {

std::string WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) {
  std::string path = ::testing::TempDir() + name;
  FILE* out = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
  return path;
}

// The simulated service opens what the header reader can read, with the length it finds.
TEST(HeaderLength, SimulatedServiceTakesTheReadersPlayingTime) {
  std::vector<unsigned char> frames;
  for (int frame = 0; frame < 100; ++frame) {  // MPEG-1, 128 kbit/s, 44100 Hz: 417 bytes each
    std::vector<unsigned char> one(417, 0);
    one[0] = 0xFF;
    one[1] = 0xFB;
    one[2] = 0x90;
    frames.insert(frames.end(), one.begin(), one.end());
  }
  frames.insert(frames.end(), 128, 0);
  std::string song = WriteFile("header_length_song.mp3", frames);
  std::string text = WriteFile("header_length_text.mp3", {'n', 'o', ' ', 'm', 'p', '3'});

  PosixFileSystem files;
  testing::FakeClock clock;
  SimulatedMedia media(clock, LengthFromHeaders(files));
  char reply[260];
  ASSERT_EQ(media.SendCommand("OPEN \"" + song + "\" Type MPEGVIDEO ALIAS MCI_0", nullptr, 0), 0u);
  ASSERT_EQ(media.SendCommand("status MCI_0 length", reply, 260), 0u);
  EXPECT_STREQ(reply, "2612");
  EXPECT_NE(media.SendCommand("OPEN \"" + text + "\" Type MPEGVIDEO ALIAS MCI_1", nullptr, 0), 0u);
  EXPECT_NE(media.SendCommand("OPEN \"/no/such.mp3\" Type MPEGVIDEO ALIAS MCI_2", nullptr, 0), 0u);
}

}  // namespace
}  // namespace kz
