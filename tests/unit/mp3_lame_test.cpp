// The reader on real files made by Debian's lame encoder: MPEG-1, MPEG-2 and MPEG-2.5 rates,
// constant and varying bit rates, with and without tags.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "mp3/mp3_reader.h"
#include "platform/posix/posix_file_system.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::TempFolder;

struct LameCase {
  const char* name;
  std::uint32_t rate;
  std::uint16_t channels;
  const char* options;
  std::int32_t constantKbit;  // 0 for a varying bit rate
};

void PrintTo(const LameCase& c, std::ostream* out) {
  *out << c.name;
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 16-bit PCM WAV file of a tone under noise, so that a varying bit rate does vary.
std::vector<std::uint8_t> Wave(std::uint32_t rate, std::uint16_t channels, std::uint32_t samples) {
  std::uint32_t dataBytes = samples * channels * 2;
  std::vector<std::uint8_t> wav{'R', 'I', 'F', 'F'};
  PutLittleEndian(wav, 36 + dataBytes, 4);
  for (char c : std::string("WAVEfmt ")) wav.push_back(static_cast<std::uint8_t>(c));
  PutLittleEndian(wav, 16, 4);
  PutLittleEndian(wav, 1, 2);  // PCM
  PutLittleEndian(wav, channels, 2);
  PutLittleEndian(wav, rate, 4);
  PutLittleEndian(wav, rate * channels * 2, 4);
  PutLittleEndian(wav, channels * 2u, 2);
  PutLittleEndian(wav, 16, 2);
  for (char c : std::string("data")) wav.push_back(static_cast<std::uint8_t>(c));
  PutLittleEndian(wav, dataBytes, 4);
  std::uint32_t noise = 12345;
  for (std::uint32_t i = 0; i < samples; ++i) {
    noise = noise * 1103515245u + 12345u;
    int swell = static_cast<int>(i / (rate / 4) % 4);  // loud and quiet quarters of a second
    int value = static_cast<int>((noise >> 16) % 4001) * swell * 2 - 4000 * swell +
                ((i / 50) % 2 ? 3000 : -3000);
    for (int c = 0; c < channels; ++c) PutLittleEndian(wav, static_cast<std::uint16_t>(value), 2);
  }
  return wav;
}

// A PNG signature and half a megabyte of picture data full of bytes that look like headers.
std::vector<std::uint8_t> Cover() {
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const std::uint8_t pattern[] = {0xFF, 0xFB, 0xB0, 0x64, 0xFF, 0xF3, 0x40, 0x17, 0x00};
  std::uint32_t noise = 99;
  while (png.size() < 480 * 1024) {
    noise = noise * 1103515245u + 12345u;
    png.push_back((noise >> 20) % 3 ? pattern[png.size() % sizeof pattern]
                                    : static_cast<std::uint8_t>(noise >> 24));
  }
  return png;
}

bool LameAvailable() {
  return std::system("command -v lame >/dev/null 2>&1") == 0;
}

// Encodes and returns the number of frames lame reports it wrote ("193/193 (100%)"), or -1.
int Encode(const TempFolder& folder, const std::string& options, const std::string& output) {
  std::string log = folder.File("lame.log");
  std::string command = "cd '" + folder.directory() + "' && lame --nohist " + options +
                        " in.wav '" + output + "' >'" + log + "' 2>&1";
  if (std::system(command.c_str()) != 0) return -1;
  std::ifstream file(log);
  std::stringstream text;
  text << file.rdbuf();
  std::string all = text.str();
  std::regex progress(R"((\d+)/(\d+)\s+\(100%\))");
  int frames = -1;
  for (auto it = std::sregex_iterator(all.begin(), all.end(), progress);
       it != std::sregex_iterator(); ++it) {
    frames = std::stoi((*it)[2].str());
  }
  return frames;
}

class LameFiles : public ::testing::TestWithParam<LameCase> {};

TEST_P(LameFiles, PlayingTimeIsWithinTwoFramesOfTheEncodersCount) {
  if (!LameAvailable()) GTEST_SKIP() << "lame is not installed";
  const LameCase& c = GetParam();
  TempFolder folder;
  folder.Write("in.wav", Wave(c.rate, c.channels, c.rate * 3));
  folder.Write("cover.png", Cover());
  int encoderFrames = Encode(folder, c.options, "out.mp3");
  ASSERT_GT(encoderFrames, 0) << "lame failed or printed no frame count";

  PosixFileSystem files;
  Mp3Info info;
  ASSERT_EQ(ReadMp3Info(files, folder.File("out.mp3"), info), 1);
  std::int64_t samplesPerFrame = c.rate >= 32000 ? 1152 : 576;
  std::int64_t frameMs = samplesPerFrame * 1000 / c.rate;
  std::int64_t encoderMs = encoderFrames * samplesPerFrame * 1000 / c.rate;
  std::cout << "      " << c.name << ": " << info.durationMs << " ms against the encoder's "
            << encoderMs << " ms, " << info.bitRate << " bit/s, " << info.fileSize << " bytes\n";

  EXPECT_EQ(info.frequency, static_cast<std::int32_t>(c.rate));
  EXPECT_LE(std::abs(info.frameCount - encoderFrames), 2);
  EXPECT_LE(std::abs(info.durationMs - encoderMs), 2 * frameMs + 1);
  if (c.constantKbit != 0) {
    EXPECT_EQ(info.bitRate, c.constantKbit * 1000);
  } else {
    EXPECT_LT(info.bitRate, 0) << "a varying bit rate shows as a negative average";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Encoded, LameFiles,
    ::testing::Values(LameCase{"Mpeg1Cbr44100", 44100, 2, "-b 128", 128},
                      LameCase{"Mpeg1Cbr48000", 48000, 2, "-b 192", 192},
                      LameCase{"Mpeg1Vbr32000", 32000, 2, "-V 4", 0},
                      LameCase{"Mpeg1Vbr44100", 44100, 2, "-V 2", 0},
                      LameCase{"Mpeg2Cbr22050", 22050, 2, "-b 64", 64},
                      LameCase{"Mpeg2Vbr24000", 24000, 2, "-V 5", 0},
                      LameCase{"Mpeg2Cbr16000", 16000, 1, "-b 32 -m m", 32},
                      LameCase{"Mpeg25Cbr11025", 11025, 1, "-b 24 -m m", 24},
                      LameCase{"Mpeg25Vbr12000", 12000, 2, "-V 6", 0},
                      LameCase{"Mpeg25Cbr8000", 8000, 1, "-b 16 -m m", 16},
                      LameCase{"Id3v2Text", 44100, 2, "-b 128 --tt Title --ta Artist --add-id3v2",
                               128},
                      LameCase{"Id3v2Cover", 44100, 2, "-b 128 --ti cover.png", 128},
                      LameCase{"Id3v2CoverVbr", 22050, 2, "-V 4 --ti cover.png", 0},
                      LameCase{"Id3v1", 44100, 2, "-b 128 --tt Title --id3v1-only", 128},
                      LameCase{"Id3v1AndCover", 48000, 2, "-b 160 --tt Title --ti cover.png", 160}),
    [](const ::testing::TestParamInfo<LameCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace kz
