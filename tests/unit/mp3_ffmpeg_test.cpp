// The reader on files made by Debian's ffmpeg, whose information frame often has a bit rate
// other than the stream's, with the tags that taggers put at the end.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "mp3/mp3_reader.h"
#include "platform/posix/posix_file_system.h"
#include "tests/unit/mp3_encoder_files.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::Appended;
using testing::TempFolder;

struct FfmpegCase {
  const char* name;
  std::uint32_t rate;
  std::uint16_t channels;
  const char* options;
  std::int32_t constantKbit;  // 0 for a varying bit rate
  Appended appended = Appended::kNone;
};

void PrintTo(const FfmpegCase& c, std::ostream* out) {
  *out << c.name;
}

bool FfmpegAvailable() {
  return std::system("command -v ffmpeg >/dev/null 2>&1 && command -v ffprobe >/dev/null 2>&1") ==
         0;
}

std::string Run(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
  }
  return output;
}

// The number of audio frames ffprobe finds in the file: what the encoder wrote, without the
// information frame.
int AudioFrames(const std::string& path) {
  std::string out =
      Run("ffprobe -v error -count_packets -select_streams a:0 -show_entries "
          "stream=nb_read_packets -of csv=p=0 '" +
          path + "'");
  return out.empty() ? -1 : std::atoi(out.c_str());
}

class FfmpegFiles : public ::testing::TestWithParam<FfmpegCase> {};

TEST_P(FfmpegFiles, PlayingTimeIsWithinOneFrameAndConstantRatesArePositive) {
  if (!FfmpegAvailable()) GTEST_SKIP() << "ffmpeg is not installed";
  const FfmpegCase& c = GetParam();
  TempFolder folder;
  folder.Write("in.wav", testing::Wave(c.rate, c.channels, c.rate * 3));
  std::string out = folder.File("out.mp3");
  std::string command = "ffmpeg -v error -y -i '" + folder.File("in.wav") +
                        "' -codec:a libmp3lame " + c.options + " '" + out + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  int frames = AudioFrames(out);
  ASSERT_GT(frames, 0) << "ffprobe counted no frames";
  if (c.appended != Appended::kNone) {
    std::ifstream in(out, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    testing::Append(bytes, c.appended);
    folder.Write("out.mp3", bytes);
  }

  PosixFileSystem files;
  Mp3Info info;
  ASSERT_EQ(ReadMp3Info(files, out, info), 1);
  std::int64_t samplesPerFrame = c.rate >= 32000 ? 1152 : 576;
  std::int64_t frameMs = samplesPerFrame * 1000 / c.rate;
  std::int64_t encoderMs = frames * samplesPerFrame * 1000 / c.rate;
  std::cout << "      " << c.name << ": " << info.durationMs << " ms against the encoder's "
            << encoderMs << " ms, " << info.bitRate << " bit/s\n";
  EXPECT_EQ(info.frequency, static_cast<std::int32_t>(c.rate));
  EXPECT_LE(std::abs(info.frameCount - frames), 1);
  EXPECT_LE(std::abs(info.durationMs - encoderMs), frameMs + 1);
  if (c.constantKbit != 0) {
    EXPECT_EQ(info.bitRate, c.constantKbit * 1000);
  } else {
    EXPECT_LT(info.bitRate, 0) << "a varying bit rate shows as a negative average";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Encoded, FfmpegFiles,
    ::testing::Values(
        FfmpegCase{"Cbr128", 44100, 2, "-b:a 128k", 128},
        FfmpegCase{"Cbr32Mono", 44100, 1, "-b:a 32k", 32},
        FfmpegCase{"Cbr64At22050", 22050, 2, "-b:a 64k", 64},
        FfmpegCase{"Vbr", 44100, 2, "-q:a 4", 0},
        FfmpegCase{"Id3v1", 48000, 2, "-b:a 192k -write_id3v1 1 -metadata title=T", 192},
        FfmpegCase{"ApePicture", 44100, 2, "-b:a 128k", 128, Appended::kApePicture},
        FfmpegCase{"ApePictureVbr", 44100, 2, "-q:a 2", 0, Appended::kApePicture},
        FfmpegCase{"Id3v2AtEnd", 32000, 2, "-b:a 96k", 96, Appended::kId3v2AtEnd},
        FfmpegCase{"LyricsAndId3v1", 44100, 2, "-b:a 160k", 160, Appended::kLyricsAndId3v1}),
    [](const ::testing::TestParamInfo<FfmpegCase>& param) {
      return std::string(param.param.name);
    });

}  // namespace
}  // namespace kz
