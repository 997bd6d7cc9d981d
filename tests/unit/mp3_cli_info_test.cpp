// The command-line companion's "info", run as the built binary named by KZ_CLI.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "mp3/timestamp.h"
#include "platform/posix/posix_file_system.h"
#include "tests/fakes/cli_runner.h"
#include "tests/unit/mp3_test_files.h"

// XXH3 as a header alone, to check the hash the command line prints.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace kz {
namespace {

using testing::CliRun;
using testing::Mp3Bytes;
using testing::TempFolder;

struct CliInfoTest : ::testing::Test {
  void SetUp() override {
    if (!std::getenv("KZ_CLI")) GTEST_SKIP() << "KZ_CLI names no command-line binary";
  }
  CliRun Info(const std::string& arguments) {
    return testing::RunCli("info " + arguments, folder.directory());
  }
  TempFolder folder;
};

// The lines `info` prints for 100 frames at 128 kbit/s followed by 128 bytes of filler, in a
// file whose size has 41828 as its low 32 bits.
std::string HundredFramesLines(const std::string& path) {
  PosixFileSystem files;
  Timestamp created = FileCreationTimestamp(files, path);
  std::string date = FormatTimestamp("%mm.%dd.%yyyy", created);
  std::string iso = FormatTimestamp("%yyyy-%mm-%ddT%hh:%ii:%ssZ", created);
  return "ok=1\nfileSize=41828\ndurationMs=2612\nbitRate=128000\nfrequency=44100\n"
         "frameCount=100\ncreated=" +
         iso +
         // The filler after the last frame is no frame: the audio cannot be walked to its end.
         "\naudioFrames=-1\naudioBytes=-1\naudioHash=\nDauer\t00:02 Min\nBitrate\t128 "
         "kBit/s\nFrequenz\t44100 Hz\n"
         "Gr\xC3\xB6sse\t41 KB\nDatei erstellt am\t" +
         date + "\n";
}

TEST_F(CliInfoTest, PrintsTheFieldsAndThePropertyRows) {
  Mp3Bytes frames;
  frames.Frames(0xFB, 0x90, 417, 100).Filler(128);
  std::string path = folder.Write("song.mp3", frames.bytes());
  CliRun run = Info(testing::ShellQuoted(path));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, HundredFramesLines(path));
}

TEST_F(CliInfoTest, AFileBeyondFourGibibytesShowsTheLowBitsOfItsSize) {
  Mp3Bytes frames;
  frames.Frames(0xFB, 0x90, 417, 100).Filler(128);
  std::string path = folder.Write("huge.mp3", frames.bytes());
  // A hole of 4 GiB after the frames: the file's size is 2^32 + 41828 bytes, its disk use tiny.
  ASSERT_EQ(truncate(path.c_str(), (std::int64_t{1} << 32) + 41828), 0);
  CliRun run = Info(testing::ShellQuoted(path));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, HundredFramesLines(path));
  EXPECT_EQ(run.err, "");
}

TEST_F(CliInfoTest, AFileThatCannotBeOpenedIsReportedAndExitsWithOne) {
  for (const std::string& path : {folder.File("missing.mp3"), folder.directory()}) {
    CliRun run = Info(testing::ShellQuoted(path));
    EXPECT_EQ(run.status, 1) << path;
    EXPECT_EQ(run.out, "") << path;
    EXPECT_EQ(run.err.rfind("klangzwilling-cli info: cannot read '" + path + "': ", 0), 0u)
        << run.err;
  }
}

TEST_F(CliInfoTest, AFileWithoutFramesPrintsTheFailureValuesAndExitsWithOne) {
  std::string path = folder.Write("empty.mp3", std::vector<std::uint8_t>());
  CliRun run = Info(testing::ShellQuoted(path));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out.rfind("ok=0\nfileSize=-1\ndurationMs=-1\nbitRate=-1\nfrequency=-1\n"
                          "frameCount=0\ncreated=",
                          0),
            0u)
      << run.out;
  EXPECT_NE(run.out.find("\naudioFrames=-1\naudioBytes=-1\naudioHash=\n"), std::string::npos);
  EXPECT_EQ(run.err, "");
}

TEST_F(CliInfoTest, TheAudioFieldsAreTheFramesWithoutTheirTags) {
  auto frames = [](std::uint8_t fill) {
    Mp3Bytes file;
    for (int frame = 0; frame < 50; ++frame) {
      file.Frames(0xFB, 0x90, 417);
      std::fill(file.bytes().end() - 413, file.bytes().end(), fill);
    }
    return file;
  };
  const Mp3Bytes plain = frames(1);
  // XXH3-128 of the frames, its high half written first.
  XXH128_hash_t hash = XXH3_128bits(plain.bytes().data(), plain.bytes().size());
  char hex[33];
  std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                static_cast<unsigned long long>(hash.low64));
  const std::string same = std::string("audioFrames=50\naudioBytes=20850\naudioHash=") + hex;
  Mp3Bytes leading;
  leading.Id3v2(300);
  leading.bytes().insert(leading.bytes().end(), plain.bytes().begin(), plain.bytes().end());
  Mp3Bytes trailing = plain;
  trailing.Id3v1();
  Mp3Bytes both = leading;
  both.Id3v1();
  const struct {
    const char* what;
    Mp3Bytes file;
    bool sameAudio;
  } cases[] = {{"plain frames", plain, true},
               {"behind an ID3v2 tag", leading, true},
               {"before an ID3v1 tag", trailing, true},
               {"between both", both, true},
               {"other audio of the same length", frames(2), false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CliRun run = Info(testing::ShellQuoted(folder.Write("a.mp3", c.file.bytes())));
    EXPECT_EQ(run.status, 0);
    std::size_t at = run.out.find("audioFrames=");
    ASSERT_NE(at, std::string::npos) << run.out;
    std::string audio = run.out.substr(at, same.size());
    EXPECT_EQ(audio == same, c.sameAudio) << audio;
    EXPECT_EQ(audio.substr(0, 35), same.substr(0, 35)) << "the same frames and bytes";
  }
}

TEST_F(CliInfoTest, UsageErrorsExitWithTwoAndHelpExplainsTheFields) {
  for (const char* arguments : {"", "a.mp3 b.mp3", "--verbose a.mp3"}) {
    SCOPED_TRACE(arguments);
    CliRun run = Info(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("klangzwilling-cli info: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("\nusage: klangzwilling-cli info [--] FILE\n"), std::string::npos);
  }
  for (const char* arguments : {"--help", "-h", "-h a.mp3"}) {
    CliRun help = Info(arguments);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_NE(help.out.find("a negative value means the frames have different bit\n"
                            "                rates, and its amount is their average"),
              std::string::npos)
        << help.out;
    EXPECT_NE(help.out.find("created="), std::string::npos);
  }
  // After "--" a name starting with a dash is a file, not an option.
  Mp3Bytes frames;
  frames.Frames(0xFB, 0x90, 417, 100).Filler(128);
  folder.Write("-h", frames.bytes());
  CliRun dashed = testing::RunCli("info -- -h", folder.directory(), folder.directory());
  EXPECT_EQ(dashed.status, 0) << dashed.err;
  EXPECT_EQ(dashed.out.substr(0, 5), "ok=1\n");
}

}  // namespace
}  // namespace kz
