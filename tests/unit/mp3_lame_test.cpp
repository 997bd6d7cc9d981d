// The reader on real files made by Debian's lame encoder: MPEG-1, MPEG-2 and MPEG-2.5 rates,
// constant and varying bit rates, with and without tags.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "mp3/mp3_reader.h"
#include "platform/posix/posix_file_system.h"
#include "tests/unit/mp3_encoder_files.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::Appended;
using testing::TempFolder;

struct LameCase {
  const char* name;
  std::uint32_t rate;
  std::uint16_t channels;
  const char* options;
  std::int32_t constantKbit;            // 0 for a varying bit rate
  Appended appended = Appended::kNone;  // a tag appended after encoding, as taggers do
};

void PrintTo(const LameCase& c, std::ostream* out) {
  *out << c.name;
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

TEST_P(LameFiles, PlayingTimeIsWithinOneFrameOfTheEncodersCount) {
  if (!LameAvailable()) GTEST_SKIP() << "lame is not installed";
  const LameCase& c = GetParam();
  TempFolder folder;
  folder.Write("in.wav", testing::Wave(c.rate, c.channels, c.rate * 3));
  folder.Write("cover.png", testing::Cover());
  int encoderFrames = Encode(folder, c.options, "out.mp3");
  ASSERT_GT(encoderFrames, 0) << "lame failed or printed no frame count";
  if (c.appended != Appended::kNone) {
    std::ifstream in(folder.File("out.mp3"), std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    testing::Append(bytes, c.appended);
    folder.Write("out.mp3", bytes);
  }

  PosixFileSystem files;
  Mp3Info info;
  ASSERT_EQ(ReadMp3Info(files, folder.File("out.mp3"), info), 1);
  std::int64_t samplesPerFrame = c.rate >= 32000 ? 1152 : 576;
  std::int64_t frameMs = samplesPerFrame * 1000 / c.rate;
  std::int64_t encoderMs = encoderFrames * samplesPerFrame * 1000 / c.rate;
  std::cout << "      " << c.name << ": " << info.durationMs << " ms against the encoder's "
            << encoderMs << " ms, " << info.bitRate << " bit/s, " << info.fileSize << " bytes\n";

  EXPECT_EQ(info.frequency, static_cast<std::int32_t>(c.rate));
  // The information frame counts, and so does the last frame when a tag follows it.
  EXPECT_LE(std::abs(info.frameCount - encoderFrames), 1);
  EXPECT_LE(std::abs(info.durationMs - encoderMs), frameMs + 1);
  if (c.constantKbit != 0) {
    EXPECT_EQ(info.bitRate, c.constantKbit * 1000);
  } else {
    EXPECT_LT(info.bitRate, 0) << "a varying bit rate shows as a negative average";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Encoded, LameFiles,
    ::testing::Values(
        LameCase{"Mpeg1Cbr44100", 44100, 2, "-b 128", 128},
        LameCase{"Mpeg1Cbr48000", 48000, 2, "-b 192", 192},
        LameCase{"Mpeg1Vbr32000", 32000, 2, "-V 4", 0},
        LameCase{"Mpeg1Vbr44100", 44100, 2, "-V 2", 0},
        LameCase{"Mpeg2Cbr22050", 22050, 2, "-b 64", 64},
        LameCase{"Mpeg2Vbr24000", 24000, 2, "-V 5", 0},
        LameCase{"Mpeg2Cbr16000", 16000, 1, "-b 32 -m m", 32},
        LameCase{"Mpeg25Cbr11025", 11025, 1, "-b 24 -m m", 24},
        LameCase{"Mpeg25Vbr12000", 12000, 2, "-V 6", 0},
        LameCase{"Mpeg25Cbr8000", 8000, 1, "-b 16 -m m", 16},
        LameCase{"Id3v2Text", 44100, 2, "-b 128 --tt Title --ta Artist --add-id3v2", 128},
        LameCase{"Id3v2Cover", 44100, 2, "-b 128 --ti cover.png", 128},
        LameCase{"Id3v2CoverVbr", 22050, 2, "-V 4 --ti cover.png", 0},
        LameCase{"Id3v1", 44100, 2, "-b 128 --tt Title --id3v1-only", 128},
        LameCase{"Id3v1AndCover", 48000, 2, "-b 160 --tt Title --ti cover.png", 160},
        LameCase{"ApePicture", 44100, 2, "-b 128", 128, Appended::kApePicture},
        LameCase{"ApePictureVbr", 32000, 2, "-V 3", 0, Appended::kApePicture},
        LameCase{"Id3v2AtEnd", 22050, 1, "-b 48 -m m", 48, Appended::kId3v2AtEnd},
        LameCase{"LyricsAndId3v1", 48000, 2, "-b 192", 192, Appended::kLyricsAndId3v1}),
    [](const ::testing::TestParamInfo<LameCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace kz
